// The chaos run: the real program (with padrix-guardian beside it, its own
// settings file, command-line socket and X11 output) under a private Xvfb
// with jwm, a notification area and client windows titled like stored
// profiles, driven for a given time by a seeded random schedule of pad
// presses on four virtual pads, unplugs, command-line requests, focus moves,
// menu choices, Print Screen and kills by SIGTERM, SIGKILL, SIGSEGV and
// SIGABRT (some while the settings file is being replaced), each followed by
// an immediate restart. At every quiet point and at the end nothing may be
// held at the X server, every key that went down must have come up, the
// settings file must parse and hold what was last stored with every profile
// intact, and the program's memory must not grow; the guardian must never
// outlive the program and no restart may fail. A violation prints the seed,
// the step and the last events.
//
//   padrix_chaos [--minutes M] [--seed N] [--no-memory-check]
#include <sys/inotify.h>
#include <sys/prctl.h>
#include <sys/resource.h>

#include <QCoreApplication>
#include <QTemporaryDir>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>

#include "WindowManager.h"
#include "settings/IniSettingsStore.h"

// Xlib after Qt: its macros (None, Bool, ...) break Qt's headers.
#include "ChaosDriver.h"

using namespace padrix::testing;

namespace {

const std::vector<std::string> kProfiles{"Arena", "Bricks"};
const std::vector<std::string> kTitles{"Arena - stage 1", "Bricks", "Notes"};

std::optional<ChaosSettings> ParseArguments(int argc, char** argv) {
    ChaosSettings s;
    s.seed = static_cast<unsigned>(std::chrono::system_clock::now().time_since_epoch().count() %
                                   1000000);
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool hasValue = i + 1 < argc;
        if (arg == "--minutes" && hasValue) {
            s.minutes = std::stod(argv[++i]);
        } else if (arg == "--seed" && hasValue) {
            s.seed = static_cast<unsigned>(std::stoul(argv[++i]));
        } else if (arg == "--no-memory-check") {
            s.checkMemory = false;
        } else {
            return std::nullopt;
        }
    }
    return s;
}

// Options as a player would have them, two profiles for joypads 1 to 4 and
// their names for the focused window to pick from.
void WriteFirstSettings(const std::string& path, SettingsLedger& ledger) {
    padrix::IniSettingsStore store(path);
    const std::vector<std::pair<std::string, std::string>> options{
        {"Select", "False"},      {"AutoFire", "True"},     {"Logitech", "False"},
        {"VGSStartUp", "False"},  {"Autodetect", "True"},   {"DOS", "False"},
        {"MaxPollRate", "False"}, {"FollowWindow", "True"}, {"Last", "2"}};
    for (const auto& [key, value] : options) {
        store.SaveSetting("Custom", key, value);
        ledger.Stored("Custom", key, value);
    }
    for (std::size_t p = 0; p < kProfiles.size(); ++p) {
        store.SaveSetting("Names", std::to_string(p + 1), kProfiles[p]);
        for (int joypad = 1; joypad <= 4; ++joypad) {
            const std::string section = kProfiles[p] + (joypad == 1 ? "" : std::to_string(joypad));
            for (int slot = 0; slot < 24; ++slot) {
                // Letters and digits: nothing that switches auto-fire or latches.
                const int key = p == 0 ? 'A' + (slot + joypad) % 26 : '0' + (slot + joypad) % 10;
                store.SaveSetting(section, std::to_string(slot), std::to_string(key));
            }
        }
    }
}

std::vector<std::string> ProfileSections() {
    std::vector<std::string> sections{"Names"};
    for (const std::string& profile : kProfiles) {
        sections.push_back(profile);
        for (int joypad = 2; joypad <= 4; ++joypad) {
            sections.push_back(profile + std::to_string(joypad));
        }
    }
    return sections;
}

void Report(const ChaosSettings& settings, const ChaosFigures& f) {
    std::printf("chaos: seed %u, %.1f minutes, %ld steps, %d quiet points\n", settings.seed,
                settings.minutes, f.steps, f.quietPoints);
    std::printf(
        "chaos: %ld pad events, %d replugs, %d command-line requests, %d focus switches, "
        "%d menu choices, %d Print Screen presses, %ld settings writes\n",
        f.padEvents, f.replugs, f.commandLine, f.focusSwitches, f.menuChoices, f.printScreens,
        f.settingsWrites);
    std::printf("chaos: %ld key-downs at the X server, %ld of them at the client windows\n",
                f.serverKeyDowns, f.windowKeyDowns);
    std::string kills;
    int total = 0;
    for (const auto& [name, count] : f.kills) {
        kills += " " + name + " " + std::to_string(count);
        total += count;
    }
    std::printf(
        "chaos: %d kills (%s; %d of them while the settings file was being replaced), "
        "%d restarts, %d ends by the program itself\n",
        total, kills.empty() ? "none" : kills.c_str() + 1, f.killsDuringWrites, f.restarts,
        f.endedByItself);
    std::printf(
        "chaos: resident memory %ld KiB at five minutes (the program %.0f s old), "
        "%ld KiB at the end (%.0f s old); most growth of one run after warm-up %ld KiB\n",
        f.rssAt5, f.ageAt5, f.rssAtEnd, f.ageAtEnd, f.worstGrowth);
    std::printf("chaos: %d violations: %s\n", f.violations,
                f.violations == 0 ? "passed" : "failed");
}

int Run(const ChaosSettings& settings, PrivateDisplay& x) {
    QTemporaryDir dir;
    const std::string root = dir.path().toStdString();
    Environment env = x.ProgramEnv(root);
    // A crash here is a signal, not a sanitizer's report.
    env["ASAN_OPTIONS"] = "detect_leaks=0:handle_segv=0:handle_abort=0";
    PaddedProgram program({env, root, settings.pads});
    if (!program.installed()) {
        std::printf("chaos: could not lay out the program\n");
        return 1;
    }
    SettingsLedger ledger(program.settingsPath());
    WriteFirstSettings(program.settingsPath(), ledger);
    ledger.KeepSections(ProfileSections());
    const int watch = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    inotify_add_watch(watch, std::filesystem::path(program.settingsPath()).parent_path().c_str(),
                      IN_CREATE | IN_MOVED_TO | IN_CLOSE_WRITE);

    Child trayer({"trayer", "--edge", "top", "--align", "right", "--widthtype", "pixel", "--width",
                  "200", "--height", "32"},
                 x.Env());
    ChaosDesk desk(x.name(), kTitles);
    if (!desk.ok()) {
        std::printf("chaos: no X connection with raw key events\n");
        return 1;
    }
    // Now and then a window manager started on a loaded machine never takes
    // the windows: another one gets its chance.
    std::optional<ClickFocusManager> jwm;
    bool managed = false;
    for (int attempt = 0; attempt < 3 && !managed; ++attempt) {
        jwm.reset();
        managed = jwm.emplace().Manages(desk.windows());
    }
    if (!managed || !WaitUntil([&] { return x.HasNotificationArea(); }, 60000)) {
        std::printf("chaos: the desktop did not come up (%s)\n",
                    managed ? "no notification area" : "jwm does not manage the windows");
        return 1;
    }
    ChaosDriver driver(settings, x, program, desk, ledger, watch);
    std::printf("chaos: seed %u, %.1f minutes\n", settings.seed, settings.minutes);
    std::fflush(stdout);
    const bool passed = driver.Run();
    Report(settings, driver.figures());
    close(watch);
    return passed ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    const std::optional<ChaosSettings> settings = ParseArguments(argc, argv);
    if (!settings) {
        std::fprintf(stderr, "usage: padrix_chaos [--minutes M] [--seed N] [--no-memory-check]\n");
        return 2;
    }
    // Orphaned guardians come to this process, to be waited for; crashes leave no core.
    prctl(PR_SET_CHILD_SUBREAPER, 1);
    const rlimit noCore{0, 0};
    setrlimit(RLIMIT_CORE, &noCore);
    PrivateDisplay x;
    if (!x.ok()) {
        std::printf("chaos: Xvfb did not start\n");
        return 1;
    }
    setenv("DISPLAY", x.name().c_str(), 1);
    QCoreApplication app(argc, argv);
    return Run(*settings, x);
}
