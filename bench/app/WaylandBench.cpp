// Pad press to key at a native Wayland window under a headless sway, through
// the compositor's virtual keyboard, beside the XTest path to an X client
// under Xvfb in the same run; and idle CPU with the Wayland output.
#include <X11/keysym.h>

#include <QApplication>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "Measures.h"
#include "SwayServer.h"
#include "WaylandClientWindow.h"
#include "XvfbServer.h"
#include "x11/PadrixOnX.h"

using namespace padrix::testing;
using Clock = std::chrono::steady_clock;

namespace {

constexpr int kPresses = 1000;
constexpr int kIdleSeconds = 30;

// Presses and releases pad button 0 (VGS: 'j') kPresses times; `arrived`
// runs the program's event loop until the key went down (or up) at the window.
void KeyLatency(PadrixOnX& padrix, const char* path, const std::function<bool(bool)>& arrived) {
    std::vector<double> micros;
    for (int i = 0; i < kPresses; ++i) {
        const auto start = Clock::now();
        padrix.pad().SetButton(0, true);
        padrix.Ring();
        if (!arrived(true)) {
            std::printf("%s: press %d never arrived\n", path, i);
            return;
        }
        micros.push_back(std::chrono::duration<double, std::micro>(Clock::now() - start).count());
        padrix.pad().SetButton(0, false);
        padrix.Ring();
        arrived(false);
    }
    std::printf("%s, %d presses: median %.0f us, p99 %.0f us, max %.0f us\n", path, kPresses,
                padrix::bench::Percentile(micros, 0.5), padrix::bench::Percentile(micros, 0.99),
                padrix::bench::Percentile(micros, 1.0));
}

// The window's line for 'j', while the program's events are handled; the
// client's pipe is looked at between rounds of the event loop.
bool WaitForJ(WaylandClientWindow& window, bool down) {
    const std::string wanted = down ? "key 36 down j" : "key 36 up j";
    const auto end = Clock::now() + std::chrono::seconds(5);
    while (Clock::now() < end) {
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        for (const std::string& line : window.TakeLines()) {
            if (line == wanted) {
                return true;
            }
        }
    }
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    XvfbServer x;
    SwayServer sway;
    if (!x.ok() || !sway.ok()) {
        std::printf("Xvfb or sway did not start\n");
        return 1;
    }
    setenv("DISPLAY", x.display().c_str(), 1);
    unsetenv("WAYLAND_DISPLAY");
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    {
        PadrixOnX padrix(PadrixOnXSetup{.doorbells = true});
        if (!padrix.ok()) {
            std::printf("cannot run the program on X: %s\n", padrix.error().c_str());
            return 1;
        }
        KeyLatency(padrix, "XTest: pad button to X client under Xvfb",
                   [&padrix](bool down) { return padrix.WaitForKey(XK_j, down); });
    }
    WaylandClientWindow window(sway, "Latency");
    if (!window.ok()) {
        std::printf("the Wayland client did not start\n");
        return 1;
    }
    // The program's platform: the compositor's virtual keyboard.
    setenv("WAYLAND_DISPLAY",
           (sway.runtimeFolder() + "/" + sway.Env().at("WAYLAND_DISPLAY")).c_str(), 1);
    PadrixOnX padrix(PadrixOnXSetup{.doorbells = true, .client = false});
    if (!padrix.ok()) {
        std::printf("cannot run the program on Wayland: %s\n", padrix.error().c_str());
        return 1;
    }
    KeyLatency(padrix, "Wayland: pad button to native client under sway",
               [&window](bool down) { return WaitForJ(window, down); });
    window.TakeLines();
    std::printf("Wayland output: idle CPU with one joypad over %d s: %.2f%% of one core\n",
                kIdleSeconds, padrix::bench::IdleCpuPercent(kIdleSeconds));
    return 0;
}
