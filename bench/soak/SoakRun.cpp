// Soak run: a long seeded random sequence of presses, holds and releases on a
// virtual pad (buttons, directions, M combinations, auto-fire on and off, an
// unplug and replug now and then) through the tray and the X11 output,
// with the guardian's page, under a private Xvfb. At the end every key and
// button must be up at the X client, every key-down must have had its key-up,
// and resident memory must not have grown after warm-up.
//
//   padrix_soak [--events N | --seconds S] [--seed N] [--no-memory-check]
#include <unistd.h>

#include <QApplication>
#include <array>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <optional>
#include <random>
#include <string>

#include "XvfbServer.h"
#include "platform/Guardian.h"
#include "x11/PadrixOnX.h"

// Xlib after Qt: its macros (None, Bool, ...) break Qt's headers.
#include "SoakLedger.h"

using namespace padrix::testing;
using SteadyClock = std::chrono::steady_clock;

namespace {

constexpr int kButtons = 12;
constexpr int kM = 9;
constexpr int kWarmUpPercent = 10;
constexpr long kMemorySlackKib = 2048;

struct Settings {
    long events = 20000;
    long seconds = 0;  // when set, runs this long instead of a number of events
    unsigned seed = 1;
    bool checkMemory = true;
};

std::optional<Settings> ParseArguments(int argc, char** argv) {
    Settings s;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool hasValue = i + 1 < argc;
        if (arg == "--events" && hasValue) {
            s.events = std::stol(argv[++i]);
        } else if (arg == "--seconds" && hasValue) {
            s.seconds = std::stol(argv[++i]);
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

long ResidentKib(const std::string& status = "/proc/self/status") {
    std::ifstream in(status);
    std::string line;
    while (std::getline(in, line)) {
        if (line.rfind("VmRSS:", 0) == 0) {
            return std::stol(line.substr(6));
        }
    }
    return -1;
}

// Drives the pad from a seeded generator and keeps what it set, so that it
// can bring everything to rest at the end.
class Driver {
  public:
    Driver(PadrixOnX& padrix, unsigned seed) : padrix_(padrix), random_(seed) {}

    // One random action and a few polling ticks after it.
    void Step() {
        const int action = Pick(100);
        if (action < 45) {
            const int b = NotM(Pick(kButtons - 1));
            SetButton(b, !buttons_[static_cast<std::size_t>(b)]);
        } else if (action < 65) {
            SetAxis(Pick(2), kAxisValues[static_cast<std::size_t>(Pick(3))]);
        } else if (action < 85) {
            MCombination();
        } else if (action < 95) {
            padrix::MappingEngine& engine = padrix_.form().session().engine();
            engine.SetOption(&padrix::Options::AutoFireActive, !engine.options().AutoFireActive);
        } else if (action < 96) {
            Replug();
        } else {
            Ticks(Pick(20) + 1);
        }
        Ticks(Pick(3) + 1);
    }

    // Everything let go; out of mouse mode; every button pressed and
    // released twice, which also consumes a hold latch and lets go of keys
    // it kept down.
    void Rest() {
        for (int b = 0; b < kButtons; ++b) {
            SetButton(b, false);
        }
        SetAxis(0, 0);
        SetAxis(1, 0);
        padrix_.form().session().engine().SetOption(&padrix::Options::AutoFireActive, false);
        Ticks(10);
        if (padrix_.form().session().engine().latches().MouseMode) {
            SetButton(2, true);
            Ticks(10);
            SetButton(2, false);
            Ticks(10);
        }
        for (int round = 0; round < 2; ++round) {
            for (int b = 0; b < kButtons; ++b) {
                if (b != kM) {
                    SetButton(b, true);
                    Ticks(3);
                    SetButton(b, false);
                    Ticks(3);
                }
            }
        }
        Ticks(20);
    }

    int replugs() const { return replugs_; }

    static void Ticks(int n) {
        for (int i = 0; i < n; ++i) {
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        }
    }

  private:
    static constexpr std::array<Sint16, 3> kAxisValues{-32768, 0, 32767};

    int Pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random_); }
    // Numbers 0 to 10 as the buttons other than M.
    static int NotM(int n) { return n >= kM ? n + 1 : n; }

    void SetButton(int b, bool down) {
        buttons_[static_cast<std::size_t>(b)] = down;
        padrix_.pad().SetButton(b, down);
    }
    void SetAxis(int axis, Sint16 value) { padrix_.pad().SetAxis(axis, value); }

    // M with one of the buttons it combines with, or with the pad pushed up.
    void MCombination() {
        static constexpr std::array<int, 8> kWith{0, 8, 1, 2, 3, 4, 7, -1};
        const int with = kWith[static_cast<std::size_t>(Pick(8))];
        SetButton(kM, true);
        if (with < 0) {
            SetAxis(1, -32768);
        } else {
            SetButton(with, true);
        }
        Ticks(Pick(4) + 1);
        if (Pick(2) == 0) {
            SetButton(kM, false);
        }
        Ticks(Pick(3) + 1);
        if (with < 0) {
            SetAxis(1, 0);
        } else {
            SetButton(with, false);
        }
        SetButton(kM, false);
    }

    void Replug() {
        padrix_.pad().Detach();
        Ticks(5);
        padrix_.pad().Attach();
        buttons_ = {};
        ++replugs_;
    }

    PadrixOnX& padrix_;
    std::mt19937 random_;
    std::array<bool, kButtons> buttons_{};
    int replugs_ = 0;
};

// A client window over the whole screen, on top, with the focus and the
// pointer: every key and click of the run lands on it.
void CoverTheScreen(TestWindow& client, int width, int height) {
    XMoveResizeWindow(client.display(), client.id(), 0, 0, static_cast<unsigned>(width),
                      static_cast<unsigned>(height));
    XRaiseWindow(client.display(), client.id());
    client.StopKeyRepeat();
    client.TakeFocusAndPointer();
}

int Run(const Settings& settings, const std::string& display) {
    const padrix::Guardian guardian = padrix::Guardian::Start(PADRIX_GUARDIAN_PROGRAM, display);
    PadrixOnX padrix(PadrixOnXSetup{.select = false, .held = guardian.page(), .client = false});
    if (!padrix.ok()) {
        std::printf("soak: Padrix did not start: %s\n", padrix.error().c_str());
        return 1;
    }
    TestWindow client(display, "Soak client");
    CoverTheScreen(client, 1024, 768);
    SoakLedger ledger;
    Driver driver(padrix, settings.seed);
    const auto start = SteadyClock::now();
    const auto done = [&](long events) {
        if (settings.seconds > 0) {
            return SteadyClock::now() - start >= std::chrono::seconds(settings.seconds);
        }
        return events >= settings.events;
    };
    long events = 0;
    long warmRss = -1;
    long peakRss = 0;
    for (; !done(events); ++events) {
        driver.Step();
        ledger.Take(client.Drain());
        const bool warm = settings.seconds > 0
                              ? SteadyClock::now() - start >=
                                    std::chrono::seconds(settings.seconds) * kWarmUpPercent / 100
                              : events >= settings.events * kWarmUpPercent / 100;
        if (warm && warmRss < 0) {
            warmRss = ResidentKib();
        }
        if (warmRss >= 0 && events % 256 == 0) {
            peakRss = std::max(peakRss, ResidentKib());
        }
    }
    driver.Rest();
    XSync(client.display(), False);
    ledger.Take(client.Collect());
    const long endRss = ResidentKib();
    const long guardianRss =
        guardian.pid() > 0 ? ResidentKib("/proc/" + std::to_string(guardian.pid()) + "/status")
                           : -1;
    const double seconds = std::chrono::duration<double>(SteadyClock::now() - start).count();

    std::printf("soak: seed %u, %ld pad events in %.0f s, %d unplug/replug\n", settings.seed,
                events, seconds, driver.replugs());
    std::printf(
        "soak: at the X client %ld key-downs (%ld of them repeats of a held key), "
        "%ld key-ups, %ld key-downs matched by a key-up, %ld button presses, "
        "%ld button releases\n",
        ledger.keyDowns, ledger.repeats, ledger.keyUps, ledger.matched, ledger.buttonDowns,
        ledger.buttonUps);
    std::printf(
        "soak: resident memory %ld KiB after warm-up, %ld KiB peak, %ld KiB at the end; "
        "guardian %ld KiB\n",
        warmRss, std::max(peakRss, endRss), endRss, guardianRss);

    int failures = 0;
    const auto check = [&](bool ok, const std::string& what) {
        if (!ok) {
            std::printf("soak: FAILED: %s\n", what.c_str());
            ++failures;
        }
    };
    check(ledger.keyDowns > 0, "no key reached the client");
    check(ledger.KeysDown().empty(), "keys still down at the client: " + ledger.KeysDownText());
    check(ledger.unmatchedUps == 0, "key-ups without a key-down");
    check(ledger.ButtonsDown() == 0, "mouse buttons still down at the client");
    check(!ServerHoldsAnything(client.display()), "the X server still holds a key or button");
    if (settings.checkMemory) {
        check(endRss - warmRss <= kMemorySlackKib,
              "resident memory grew by " + std::to_string(endRss - warmRss) + " KiB");
    }
    std::printf("soak: %s\n", failures == 0 ? "passed" : "failed");
    return failures == 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    const std::optional<Settings> settings = ParseArguments(argc, argv);
    if (!settings) {
        std::fprintf(stderr,
                     "usage: padrix_soak [--events N | --seconds S] [--seed N] "
                     "[--no-memory-check]\n");
        return 2;
    }
    XvfbServer x(1024, 768);
    if (!x.ok()) {
        std::printf("soak: Xvfb did not start\n");
        return 1;
    }
    setenv("DISPLAY", x.display().c_str(), 1);
    setenv("QT_QPA_PLATFORM", "xcb", 1);
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    return Run(*settings, x.display());
}
