// Measures "Follow the active window": idle CPU with the option on and the
// focus unchanged against the option off, and the time from a change of the
// focused window's title, or from a request to activate another window,
// until the matching map is in force.
#include <QApplication>
#include <QEventLoop>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <functional>
#include <vector>

#include "Measures.h"
#include "XvfbServer.h"
#include "x11/PadrixOnX.h"
#include "x11/WindowManager.h"

// Xlib last: its macros (Status, Bool, ...) break Qt's headers.
#include <X11/Xlib.h>

using namespace padrix;
using namespace padrix::testing;
using Steady = std::chrono::steady_clock;

namespace {

constexpr int kIdleSeconds = 20;
constexpr int kSwitches = 200;

void IdleCpu(const char* what) {
    std::printf("idle CPU, %s, over %d s: %.3f%% of one core\n", what, kIdleSeconds,
                bench::IdleCpuPercent(kIdleSeconds));
}

// A connection of the bench's own that changes titles and asks the window
// manager to activate windows, as a user's desktop would.
class Desktop {
  public:
    Desktop() : d_(XOpenDisplay(DisplayName().c_str())) {}
    ~Desktop() { XCloseDisplay(d_); }
    bool ok() const { return d_ != nullptr; }

    void SetTitle(XWindowId w, const std::string& title) {
        XChangeProperty(d_, w, XInternAtom(d_, "_NET_WM_NAME", False),
                        XInternAtom(d_, "UTF8_STRING", False), 8, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(title.data()),
                        static_cast<int>(title.size()));
        XFlush(d_);
    }
    void Activate(XWindowId w) {
        XEvent e{};
        e.xclient.type = ClientMessage;
        e.xclient.window = w;
        e.xclient.message_type = XInternAtom(d_, "_NET_ACTIVE_WINDOW", False);
        e.xclient.format = 32;
        e.xclient.data.l[0] = 2;  // from a pager: no focus stealing rules
        e.xclient.data.l[1] = CurrentTime;
        XSendEvent(d_, DefaultRootWindow(d_), False,
                   SubstructureRedirectMask | SubstructureNotifyMask, &e);
        XFlush(d_);
    }

  private:
    Display* d_;
};

// Runs `change` and the event loop until the profile `next` is in force;
// the time from the change to the switch, negative when it never came.
double SwitchMs(Session& session, const std::function<void()>& change, const std::string& next) {
    QEventLoop loop;
    QTimer::singleShot(5000, &loop, &QEventLoop::quit);
    Steady::time_point switched{};
    const int id = session.Subscribe([&](SessionChange c) {
        if (c == SessionChange::Layout && session.ProfileInForce() == next) {
            switched = Steady::now();
            loop.quit();
        }
    });
    const auto start = Steady::now();
    change();
    loop.exec();
    session.Unsubscribe(id);
    if (switched == Steady::time_point{}) {
        return -1.0;
    }
    return std::chrono::duration<double, std::milli>(switched - start).count();
}

void PrintLatency(const char* what, const std::vector<double>& ms) {
    if (std::any_of(ms.begin(), ms.end(), [](double v) { return v < 0; })) {
        std::printf("%s: a switch never came\n", what);
        return;
    }
    std::printf("%s, %zu switches: median %.2f ms, p99 %.2f ms, max %.2f ms\n", what, ms.size(),
                bench::Percentile(ms, 0.5), bench::Percentile(ms, 0.99),
                bench::Percentile(ms, 1.0));
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
    PadrixOnX padrix(PadrixOnXSetup{.doorbells = true});  // idle as the real program: asleep
    if (!padrix.ok()) {
        std::printf("cannot run the program: %s\n", padrix.error().c_str());
        return 1;
    }
    ClickFocusManager manager;
    TestWindow arena(DisplayName(), "Arena");
    Desktop desktop;
    if (!manager.Manages({}) || !manager.Manages({padrix.client().id(), arena.id()}) ||
        !desktop.ok()) {
        std::printf("jwm did not manage the windows\n");
        return 1;
    }
    padrix.settings().SaveSetting("Names", "1", "Arena");
    padrix.settings().SaveSetting("Arena", "3", "70");
    padrix.settings().SaveSetting("Names", "2", "Doom");
    padrix.settings().SaveSetting("Doom", "3", "71");
    Session& session = padrix.form().session();

    IdleCpu("option off");
    padrix.form().Choose(MenuEntry::FollowWindow);
    IdleCpu("option on, focus unchanged");

    const XWindowId client = padrix.client().id();
    std::vector<double> titles;
    std::vector<double> focus;
    // From a known start: the client active, its profile none.
    SwitchMs(
        session, [&] { desktop.Activate(arena.id()); }, "Arena");
    SwitchMs(
        session, [&] { desktop.Activate(client); }, "");
    for (int i = 0; i < kSwitches; ++i) {
        titles.push_back(SwitchMs(
            session, [&] { desktop.SetTitle(client, "Arena 2"); }, "Arena"));
        titles.push_back(SwitchMs(
            session, [&] { desktop.SetTitle(client, "Client"); }, ""));
        focus.push_back(SwitchMs(
            session, [&] { desktop.Activate(arena.id()); }, "Arena"));
        focus.push_back(SwitchMs(
            session, [&] { desktop.Activate(client); }, ""));
    }
    PrintLatency("title change to the new map", titles);
    std::vector<double> direct;
    for (int i = 0; i < kSwitches; ++i) {
        for (const char* profile : {"Arena", "Doom"}) {
            const auto start = Steady::now();
            session.UseProfile(profile);
            direct.push_back(
                std::chrono::duration<double, std::milli>(Steady::now() - start).count());
        }
    }
    PrintLatency("of which the switch itself (Session::UseProfile)", direct);
    PrintLatency("activation request (through jwm) to the new map", focus);
    return 0;
}
