#include "ChaosDriver.h"

#include <poll.h>
#include <signal.h>
#include <sys/inotify.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <thread>

namespace padrix::testing {

namespace {

constexpr int kMButton = 9;
constexpr int kQuietMs = 20000;
constexpr int kMenuMs = 5000;
constexpr long kGrowthLimitKib = 1024;
constexpr std::size_t kLastEvents = 5000;
constexpr std::array<int, 9> kHats{0, 1, 2, 4, 8, 3, 6, 12, 9};
constexpr std::array<int, 3> kAxisValues{-32768, 0, 32767};
const std::array<std::string, 3> kLayouts{"snes9x", "vgs", "custom"};
const std::array<std::string, 3> kLastOfLayout{"1", "2", "3"};
const std::array<std::string, 3> kProfiles{"Arena", "bricks", "Nowhere"};
// What the command line says while the configuration dialog edits the maps.
constexpr const char* kDialogOpen = "The configuration dialog is open";

// A menu entry the run chooses, counted from the menu's end (Up from nothing
// selected reaches the last entry), and the key it stores.
struct MenuChoiceEntry {
    int ups;
    const char* key;  // a Custom key flipped between True and False, or "Last"
    const char* last;
};
constexpr int kSwapUps = 8;
constexpr std::array<MenuChoiceEntry, 11> kMenuChoices{{{15, "Select", ""},
                                                        {14, "AutoFire", ""},
                                                        {11, "Logitech", ""},
                                                        {10, "Autodetect", ""},
                                                        {9, "FollowWindow", ""},
                                                        {8, "", ""},
                                                        {7, "DOS", ""},
                                                        {6, "MaxPollRate", ""},
                                                        {5, "Last", "1"},
                                                        {4, "Last", "2"},
                                                        {3, "Last", "3"}}};

// What each run of the program must have done before its memory is measured:
// the allocations of a first time are no growth.
enum Done : unsigned {
    kDoneMenu = 1,
    kDonePrint = 2,
    kDoneFocus = 4,
    kDoneCommand = 8,
    kDoneReplug = 16,
    kDoneAll = 31
};

std::string Tail(const std::string& path, std::size_t lines) {
    std::ifstream in(path);
    std::deque<std::string> last;
    for (std::string line; std::getline(in, line);) {
        last.push_back(line);
        if (last.size() > lines) {
            last.pop_front();
        }
    }
    std::string text;
    for (const std::string& line : last) {
        text += "  | " + line + "\n";
    }
    return text;
}

}  // namespace

ChaosDriver::ChaosDriver(const ChaosSettings& settings, PrivateDisplay& x, PaddedProgram& program,
                         ChaosDesk& desk, SettingsLedger& ledger, int settingsWatch)
    : settings_(settings),
      x_(x),
      program_(program),
      desk_(desk),
      ledger_(ledger),
      settingsWatch_(settingsWatch),
      random_(settings.seed),
      pads_(static_cast<std::size_t>(settings.pads)) {}

double ChaosDriver::Seconds() const {
    return std::chrono::duration<double>(Clock::now() - start_).count();
}

void ChaosDriver::Note(const std::string& line) {
    lastEvents_.push_back("step " + std::to_string(figures_.steps) + ": " + line);
    if (lastEvents_.size() > kLastEvents) {
        lastEvents_.pop_front();
    }
}

bool ChaosDriver::Violation(const std::string& what) {
    ++figures_.violations;
    std::printf("chaos: VIOLATION at step %ld, %.1f s into the run (seed %u): %s\n", figures_.steps,
                Seconds(), settings_.seed, what.c_str());
    std::printf("chaos: the last events:\n");
    for (const std::string& line : lastEvents_) {
        std::printf("  %s\n", line.c_str());
    }
    std::printf("chaos: the end of the program's log:\n%s", Tail(program_.logPath(), 20).c_str());
    std::fflush(stdout);
    return false;
}

bool ChaosDriver::Check(const std::string& problem) {
    return problem.empty() || Violation(problem);
}

void ChaosDriver::TakeEvents() {
    desk_.Take([this](const std::string& line) { Note(line); });
    figures_.serverKeyDowns = desk_.server().keyDowns;
    figures_.windowKeyDowns = desk_.received().keyDowns;
    char buffer[4096] __attribute__((aligned(__alignof__(inotify_event))));
    for (ssize_t got; (got = read(settingsWatch_, buffer, sizeof buffer)) > 0;) {
        for (char* p = buffer; p < buffer + got;) {
            const auto* event = reinterpret_cast<const inotify_event*>(p);
            if ((event->mask & IN_MOVED_TO) != 0 && event->len > 0 &&
                std::string(event->name) == "Padrix.ini") {
                ++figures_.settingsWrites;
            }
            p += sizeof(inotify_event) + event->len;
        }
    }
}

void ChaosDriver::Hold(int maxMs) {
    const int ms = Pick(maxMs + 1);
    if (ms > 0) {
        std::this_thread::sleep_for(std::chrono::milliseconds(ms));
    }
    TakeEvents();
}

ChaosDriver::Clock::duration ChaosDriver::NextKillIn() {
    // Spread over orders of magnitude: many kills soon after a start, and
    // now and then a run of the program that lives for minutes.
    const double longest = std::clamp(settings_.minutes * 60 / 4, 10.0, 480.0);
    const double logSeconds =
        std::uniform_real_distribution<double>(std::log(3.0), std::log(longest))(random_);
    return std::chrono::duration_cast<Clock::duration>(
        std::chrono::duration<double>(std::exp(logSeconds)));
}

bool ChaosDriver::Run() {
    start_ = Clock::now();
    end_ = start_ + std::chrono::duration_cast<Clock::duration>(
                        std::chrono::duration<double>(settings_.minutes * 60));
    if (!Restart()) {
        return false;
    }
    figures_.restarts = 0;
    nextKill_ = Clock::now() + NextKillIn();
    while (Clock::now() < end_) {
        ++figures_.steps;
        if (!Step()) {
            return false;
        }
    }
    if (!QuietPoint()) {
        return false;
    }
    figures_.rssAtEnd = program_.ResidentKib();
    figures_.ageAtEnd = std::chrono::duration<double>(Clock::now() - programStart_).count();
    Note("end: SIGTERM");
    return Check(program_.Kill(SIGTERM)) && Check(ledger_.Check(false));
}

bool ChaosDriver::Step() {
    int status = 0;
    std::string problem;
    if (program_.EndedByItself(&status, &problem)) {
        ++figures_.endedByItself;
        Note("the program ended by itself");
        if (WIFSIGNALED(status)) {
            return Violation("the program crashed by itself, signal " +
                             std::to_string(WTERMSIG(status)));
        }
        return Check(problem) && QuietAfterEnd() && Restart();
    }
    if (Clock::now() >= nextKill_) {
        nextKill_ = Clock::now() + NextKillIn();
        return KillAndRestart();
    }
    const int action = Pick(1000);
    if (action < 700) {
        PadAction();
    } else if (action < 740) {
        MCombination(Pick(settings_.pads) + 1);
    } else if (action < 750) {
        Replug(Pick(settings_.pads) + 1);
    } else if (action < 800) {
        return CommandLineRequest();
    } else if (action < 840) {
        FocusMove();
    } else if (action < 850) {
        PrintScreen();
    } else if (action < 860) {
        return QuietPoint() && MenuChoice();
    } else if (action < 870) {
        return QuietPoint();
    } else {
        Hold(40);
    }
    return true;
}

bool ChaosDriver::PadCommand(const std::string& command) {
    ++figures_.padEvents;
    if (!resting_) {
        Note("pad " + command);
    }
    return program_.Pad(command);
}

bool ChaosDriver::PadButton(int pad, int button, bool down) {
    pads_[static_cast<std::size_t>(pad - 1)].buttons[static_cast<std::size_t>(button)] = down;
    return PadCommand("b " + std::to_string(pad) + " " + std::to_string(button) + " " +
                      (down ? "1" : "0"));
}

bool ChaosDriver::PadAxis(int pad, int axis, int value) {
    pads_[static_cast<std::size_t>(pad - 1)].axes[static_cast<std::size_t>(axis)] = value;
    return PadCommand("a " + std::to_string(pad) + " " + std::to_string(axis) + " " +
                      std::to_string(value));
}

bool ChaosDriver::PadHat(int pad, int value) {
    pads_[static_cast<std::size_t>(pad - 1)].hat = value;
    return PadCommand("h " + std::to_string(pad) + " " + std::to_string(value));
}

void ChaosDriver::PadAction() {
    const int pad = Pick(settings_.pads) + 1;
    PadState& state = pads_[static_cast<std::size_t>(pad - 1)];
    if (!state.plugged) {
        return;
    }
    const int kind = Pick(100);
    if (kind < 60) {
        int button = Pick(11);
        button = button >= kMButton ? button + 1 : button;
        PadButton(pad, button, !state.buttons[static_cast<std::size_t>(button)]);
    } else if (kind < 85) {
        PadAxis(pad, Pick(2), kAxisValues[static_cast<std::size_t>(Pick(3))]);
    } else {
        PadHat(pad, kHats[static_cast<std::size_t>(Pick(static_cast<int>(kHats.size())))]);
    }
    Hold(Pick(4) == 0 ? 300 : 20);
}

// M with one of the buttons it combines with, or with the pad pushed up
// (the hold latch); M let go first or last.
void ChaosDriver::MCombination(int pad) {
    if (!pads_[static_cast<std::size_t>(pad - 1)].plugged) {
        return;
    }
    static constexpr std::array<int, 8> kWith{0, 8, 1, 2, 3, 4, 7, -1};
    const int with = kWith[static_cast<std::size_t>(Pick(8))];
    PadButton(pad, kMButton, true);
    if (with < 0) {
        PadAxis(pad, 1, -32768);
    } else {
        PadButton(pad, with, true);
    }
    Hold(100);
    const bool mFirst = Pick(2) == 0;
    if (mFirst) {
        PadButton(pad, kMButton, false);
    }
    Hold(100);
    if (with < 0) {
        PadAxis(pad, 1, 0);
    } else {
        PadButton(pad, with, false);
    }
    if (!mFirst) {
        PadButton(pad, kMButton, false);
    }
}

void ChaosDriver::Replug(int pad) {
    PadState& state = pads_[static_cast<std::size_t>(pad - 1)];
    if (state.plugged) {
        PadCommand("u " + std::to_string(pad));
        state = PadState{};
        state.plugged = false;
        return;
    }
    PadCommand("p " + std::to_string(pad));
    state.plugged = true;
    ++figures_.replugs;
    done_ |= kDoneReplug;
}

bool ChaosDriver::CommandLineRequest() {
    ++figures_.commandLine;
    done_ |= kDoneCommand;
    static const std::array<std::string, 4> kStates{"on", "off", "toggle", "on"};
    std::vector<std::string> args;
    int expected = 0;
    std::string last;
    switch (Pick(3)) {
        case 0: {
            const auto layout = static_cast<std::size_t>(Pick(3));
            args = {"--layout", kLayouts[layout]};
            last = kLastOfLayout[layout];
            break;
        }
        case 1: {
            const std::string& profile = kProfiles[static_cast<std::size_t>(Pick(3))];
            args = {"--profile", profile};
            expected = profile == "Nowhere" ? 1 : 0;
            break;
        }
        default:
            args = {"--mapping", kStates[static_cast<std::size_t>(Pick(4))]};
    }
    const std::string line = "padrix " + args[0] + " " + args[1];
    Note(line);
    const PaddedProgram::Said said = program_.CommandLine(args);
    if (said.status == 1 && said.problem.find(kDialogOpen) != std::string::npos) {
        Note("refused: the configuration dialog is open");
        return true;
    }
    if (said.status != expected) {
        return Violation(line + " ended with " + std::to_string(said.status) + " " + said.problem);
    }
    if (!last.empty()) {
        ledger_.Stored("Custom", "Last", last);
    }
    return true;
}

void ChaosDriver::FocusMove() {
    const std::vector<Window>& windows = desk_.windows();
    const Window w = windows[static_cast<std::size_t>(Pick(static_cast<int>(windows.size())))];
    ++figures_.focusSwitches;
    done_ |= kDoneFocus;
    Note("focus to window " + std::to_string(w));
    x_.Xdotool({"windowactivate", "--sync", std::to_string(w)});
    TakeEvents();
}

void ChaosDriver::PrintScreen() {
    ++figures_.printScreens;
    Note("Print Screen down");
    x_.Xdotool({"keydown", "Print"});
    Hold(150);
    Note("Print Screen up");
    x_.Xdotool({"keyup", "Print"});
}

bool ChaosDriver::MenuChoice() {
    const XWindowId icon = x_.EmbeddedByClass("padrix");
    if (icon == 0) {
        Note("no icon for the menu");
        return true;
    }
    const auto menuShown = [this] {
        for (const auto& w : x_.Viewable("padrix")) {
            if (w.topLevel && w.overrideRedirect) {
                return true;
            }
        }
        return false;
    };
    const auto [cx, cy] = x_.Centre(icon);
    x_.Xdotool({"mousemove", "--sync", std::to_string(cx), std::to_string(cy), "click", "3"});
    if (!WaitUntil(menuShown, kMenuMs)) {
        Note("the menu did not open");
        return true;
    }
    const MenuChoiceEntry& entry =
        kMenuChoices[static_cast<std::size_t>(Pick(static_cast<int>(kMenuChoices.size())))];
    // Swap L1/R1 is greyed, and passed over, unless the layout is the Virtual
    // Game Station's; when it is greyed, the menu is closed unchosen instead.
    const bool swapShown = ledger_.Value("Custom", "Last") == "2";
    const bool swap = entry.ups == kSwapUps;
    std::vector<std::string> keys{"key"};
    if (swap && !swapShown) {
        keys.push_back("Escape");
    } else {
        const int ups = !swapShown && entry.ups > kSwapUps ? entry.ups - 1 : entry.ups;
        keys.insert(keys.end(), static_cast<std::size_t>(ups), "Up");
        keys.push_back("Return");
    }
    ++figures_.menuChoices;
    done_ |= kDoneMenu;
    Note("menu: " + std::to_string(keys.size() - 2) + " up, " + entry.key + entry.last);
    x_.Xdotool(keys);
    if (!WaitUntil([&] { return !menuShown(); }, kMenuMs)) {
        return Violation("the menu stays open after a choice");
    }
    // Off the icon, where mouse mode's clicks would open the menu or the dialog.
    x_.Xdotool({"mousemove", "--window", std::to_string(desk_.windows().front()), "100", "100"});
    const std::string key = entry.key;
    if (key.empty()) {
        return true;
    }
    if (key == "Last") {
        ledger_.Stored("Custom", key, entry.last);
    } else {
        ledger_.Stored("Custom", key, ledger_.Value("Custom", key) == "True" ? "False" : "True");
    }
    std::string problem;
    WaitUntil([&] { return (problem = ledger_.Check(false)).empty(); }, kMenuMs);
    return Check(problem);
}

bool ChaosDriver::KillAndRestart() {
    static constexpr std::array<int, 4> kSignals{SIGTERM, SIGKILL, SIGSEGV, SIGABRT};
    const int signal = kSignals[static_cast<std::size_t>(Pick(4))];
    const char* name = sigabbrev_np(signal);
    ++figures_.kills[std::string("SIG") + name];
    if (Pick(5) < 2) {
        if (!KillDuringWrite(signal)) {
            return false;
        }
    } else {
        Note(std::string("kill with SIG") + name);
        if (!Check(program_.Kill(signal))) {
            return false;
        }
    }
    return QuietAfterEnd() && Restart();
}

// Asks for another layout and kills the program as soon as it begins to
// replace the settings file.
bool ChaosDriver::KillDuringWrite(int signal) {
    TakeEvents();
    const std::string current = ledger_.Value("Custom", "Last");
    auto layout = static_cast<std::size_t>(Pick(3));
    if (kLastOfLayout[layout] == current) {
        layout = (layout + 1) % kLayouts.size();
    }
    Note(std::string("layout ") + kLayouts[layout] + " sent, SIG" + sigabbrev_np(signal) +
         " at the first change of the settings folder");
    ledger_.MaybeStored("Custom", "Last", kLastOfLayout[layout]);
    const int request = program_.SendRequest("layout " + kLayouts[layout]);
    pollfd changed{settingsWatch_, POLLIN, 0};
    if (poll(&changed, 1, 3000) == 1) {
        ++figures_.killsDuringWrites;
    }
    const std::string problem = program_.Kill(signal);
    if (request >= 0) {
        close(request);
    }
    return Check(problem);
}

// After an end: everything let go at the server, the settings file sound.
bool ChaosDriver::QuietAfterEnd() {
    for (PadState& pad : pads_) {
        pad = PadState{};
    }
    std::string problem = AwaitNothingHeld();
    if (problem.empty()) {
        problem = ledger_.Check(false);
    }
    return Check(problem);
}

bool ChaosDriver::Restart() {
    const std::string problem = program_.Start();
    if (!problem.empty()) {
        return Violation("a restart failed: " + problem);
    }
    ++figures_.restarts;
    Note("started, pid " + std::to_string(program_.pid()));
    programStart_ = Clock::now();
    programWarmRss_ = -1;
    done_ = 0;
    return true;
}

std::string ChaosDriver::AwaitNothingHeld() {
    const auto quiet = [this] {
        TakeEvents();
        return !ServerHoldsAnything(desk_.display()) && desk_.server().KeysDown().empty() &&
               desk_.server().ButtonsDown() == 0;
    };
    if (WaitUntil(quiet, kQuietMs)) {
        return "";
    }
    std::string problem;
    if (ServerHoldsAnything(desk_.display())) {
        problem += "the X server holds a key or button; ";
    }
    if (!desk_.server().KeysDown().empty()) {
        problem += "keys went down and never came up: " + desk_.server().KeysDownText() + "; ";
    }
    if (desk_.server().ButtonsDown() != 0) {
        problem += "mouse buttons went down and never came up; ";
    }
    return problem;
}

// Every pad let go, out of mouse mode, a hold latch used up; then nothing
// may be down, and the settings file must hold what was stored.
// A dialog the pads opened (mouse mode clicks on the icon, keys in its
// menu) is closed with Escape; closing the configuration dialog chooses the
// Custom layout.
void ChaosDriver::CloseDialogs() {
    if (x_.EmbeddedByClass("padrix") == 0) {
        return;  // no icon: the program's window stands in for it, not a dialog
    }
    for (const auto& w : x_.Viewable("padrix")) {
        if (w.topLevel && !w.overrideRedirect) {
            Note("closing a dialog of the program");
            x_.Xdotool({"windowactivate", "--sync", std::to_string(w.id), "key", "Escape"});
            ledger_.MaybeStored("Custom", "Last", kLastOfLayout[2]);
        }
    }
}

bool ChaosDriver::QuietPoint() {
    CloseDialogs();
    if (!Rest()) {
        return Violation("the program did not take its pads back to rest");
    }
    ++figures_.quietPoints;
    Note("quiet point");
    if (!Check(AwaitNothingHeld()) || !Check(ledger_.Check(true))) {
        return false;
    }
    return SampleMemory();
}

bool ChaosDriver::Rest() {
    Note("rest: every pad let go, button 2 of pad 1, every button pressed twice");
    resting_ = true;
    bool ok = true;
    for (int pad = 1; pad <= settings_.pads; ++pad) {
        PadState& state = pads_[static_cast<std::size_t>(pad - 1)];
        if (!state.plugged) {
            Replug(pad);
        }
        for (int b = 0; b < 12; ++b) {
            if (state.buttons[static_cast<std::size_t>(b)]) {
                ok = PadButton(pad, b, false) && ok;
            }
        }
        ok = PadAxis(pad, 0, 0) && PadAxis(pad, 1, 0) && PadHat(pad, 0) && ok;
    }
    // Button 2 leaves mouse mode; pressing every button twice uses up a
    // hold latch and lets go of the key it kept down.
    ok = PadButton(1, 2, true) && PadButton(1, 2, false) && ok;
    for (int round = 0; round < 2; ++round) {
        for (int pad = 1; pad <= settings_.pads; ++pad) {
            for (int b = 0; b < 12; ++b) {
                if (b != kMButton) {
                    ok = PadButton(pad, b, true) && PadButton(pad, b, false) && ok;
                }
            }
        }
    }
    resting_ = false;
    return ok;
}

bool ChaosDriver::SampleMemory() {
    const long rss = program_.ResidentKib();
    const double runWarm = settings_.minutes >= 30 ? 300 : settings_.minutes * 6;
    if (figures_.rssAt5 < 0 && Seconds() >= runWarm) {
        figures_.rssAt5 = rss;
        figures_.ageAt5 = std::chrono::duration<double>(Clock::now() - programStart_).count();
    }
    const double age = std::chrono::duration<double>(Clock::now() - programStart_).count();
    // The first screenshot loads the JPEG writer: a Print Screen counts once one was written.
    if (program_.TookScreenshot()) {
        done_ |= kDonePrint;
    }
    if (programWarmRss_ < 0) {
        // A run of the program is warm after a minute with one of everything.
        if (age >= std::min(runWarm, 60.0) && done_ == kDoneAll) {
            programWarmRss_ = rss;
            Note("memory after warm-up " + std::to_string(rss) + " KiB");
        }
        return true;
    }
    const long growth = rss - programWarmRss_;
    figures_.worstGrowth = std::max(figures_.worstGrowth, growth);
    return !settings_.checkMemory || growth <= kGrowthLimitKib ||
           Violation("the program's resident memory grew by " + std::to_string(growth) +
                     " KiB since its warm-up");
}

}  // namespace padrix::testing
