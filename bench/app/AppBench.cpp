// Measures the tray program as a user meets it: key latency from a virtual
// pad to an X client, idle CPU use, time to the icon and resident memory.
#include <X11/keysym.h>
#include <signal.h>

#include <QApplication>
#include <QEventLoop>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <fstream>
#include <string>
#include <vector>

#include "Measures.h"
#include "XvfbServer.h"
#include "x11/PadrixOnX.h"
#include "x11/PrivateDisplay.h"

using namespace padrix::testing;
using Clock = std::chrono::steady_clock;

namespace {

constexpr int kPresses = 1000;
constexpr int kIdleSeconds = 30;

// The virtual pad has no event device: in the events mode the bench rings
// its doorbell (a pipe) with each change, as the kernel would.
void KeyLatency(PadrixOnX& padrix, const char* mode) {
    std::vector<double> micros;
    for (int i = 0; i < kPresses; ++i) {
        const auto start = Clock::now();
        padrix.pad().SetButton(0, true);
        padrix.Ring();
        if (!padrix.WaitForKey(XK_j, true)) {
            std::printf("key latency: press %d never arrived\n", i);
            return;
        }
        micros.push_back(std::chrono::duration<double, std::micro>(Clock::now() - start).count());
        padrix.pad().SetButton(0, false);
        padrix.Ring();
        padrix.WaitForKey(XK_j, false);
    }
    std::printf(
        "%s mode: key latency, pad button to X client, %d presses: "
        "median %.0f us, p99 %.0f us, max %.0f us\n",
        mode, kPresses, padrix::bench::Percentile(micros, 0.5),
        padrix::bench::Percentile(micros, 0.99), padrix::bench::Percentile(micros, 1.0));
}

void IdleCpu(const char* mode) {
    std::printf("%s mode: idle CPU with one joypad over %d s: %.2f%% of one core\n", mode,
                kIdleSeconds, padrix::bench::IdleCpuPercent(kIdleSeconds));
}

long ResidentKiB(pid_t pid) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmRSS:", 0) == 0) {
            return std::stol(line.substr(6));
        }
    }
    return -1;
}

void StartToIcon() {
    PrivateDisplay x;
    Child trayer({"trayer", "--edge", "top", "--widthtype", "pixel", "--width", "200"}, x.Env());
    if (!x.ok() || !WaitUntil([&] { return x.HasNotificationArea(); })) {
        std::printf("start to icon: no notification area\n");
        return;
    }
    const std::string home = "/tmp/padrix-bench-" + std::to_string(getpid());
    std::map<std::string, std::string> env = x.Env();
    env["HOME"] = home;
    env["XDG_CONFIG_HOME"] = home + "/config";
    env["XDG_RUNTIME_DIR"] = home;
    env["QT_QPA_PLATFORM"] = "xcb";
    std::system(("mkdir -p -m 700 " + home).c_str());
    const auto start = Clock::now();
    Child padrix({PADRIX_BINARY}, env);
    const bool shown = WaitUntil([&] { return x.EmbeddedByClass("padrix") != 0; }, 20000);
    const double ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    if (shown) {
        std::printf("start to icon shown in the notification area: %.0f ms (5 ms polling)\n", ms);
        std::printf("resident memory of the running program: %ld KiB\n", ResidentKiB(padrix.pid()));
    } else {
        std::printf("start to icon: the icon did not appear\n");
    }
    kill(padrix.pid(), SIGTERM);
    padrix.WaitExit(10000);
    std::system(("rm -rf " + home).c_str());
}

}  // namespace

int main(int argc, char** argv) {
    XvfbServer x;
    if (!x.ok()) {
        std::printf("Xvfb did not start\n");
        return 1;
    }
    setenv("DISPLAY", x.display().c_str(), 1);
    setenv("QT_QPA_PLATFORM", "xcb", 1);
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    for (const char* mode : {"events", "timer"}) {
        const bool events = std::string(mode) == "events";
        PadrixOnX padrix(PadrixOnXSetup{.doorbells = events, .polling = mode});
        if (!padrix.ok()) {
            std::printf("cannot run the program: %s\n", padrix.error().c_str());
            return 1;
        }
        KeyLatency(padrix, mode);
        IdleCpu(mode);
    }
    StartToIcon();
    return 0;
}
