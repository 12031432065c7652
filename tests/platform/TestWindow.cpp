#include "TestWindow.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <poll.h>

namespace padrix::testing {

namespace {

constexpr auto kEventTimeout = 5000ms;

// The next event, waiting until `deadline` at most.
bool NextEvent(Display* d, XEvent& event, std::chrono::steady_clock::time_point deadline) {
    pollfd p{ConnectionNumber(d), POLLIN, 0};
    while (XPending(d) == 0) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0 || poll(&p, 1, static_cast<int>(left.count())) <= 0) {
            return false;
        }
    }
    XNextEvent(d, &event);
    return true;
}

}  // namespace

bool WaitOnX(Display* d, const std::function<bool()>& ready, std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!ready()) {
        XEvent event;
        if (!NextEvent(d, event, deadline) && !ready()) {
            return false;
        }
    }
    return true;
}

TestWindow::TestWindow(const std::string& display, const std::string& title, TitleKind kind)
    : display_(x11::OpenDisplay(display)) {
    Display* d = display_.get();
    if (d == nullptr) {
        return;
    }
    window_ = XCreateSimpleWindow(d, DefaultRootWindow(d), 0, 0, 200, 200, 0, 0, 0xFFFFFF);
    XSelectInput(d, window_,
                 KeyPressMask | KeyReleaseMask | ButtonPressMask | ButtonReleaseMask |
                     StructureNotifyMask | PropertyChangeMask | FocusChangeMask);
    if (kind == TitleKind::kNetWmName) {
        XChangeProperty(d, window_, XInternAtom(d, "_NET_WM_NAME", False),
                        XInternAtom(d, "UTF8_STRING", False), 8, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(title.data()),
                        static_cast<int>(title.size()));
        XStoreName(d, window_, "(legacy name)");
    } else {
        // WM_NAME in Latin-1, the STRING encoding.
        XChangeProperty(d, window_, XA_WM_NAME, XA_STRING, 8, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(title.data()),
                        static_cast<int>(title.size()));
    }
    marker_ = XInternAtom(d, "PADRIX_TEST_MARKER", False);
    XMapWindow(d, window_);
    const auto deadline = std::chrono::steady_clock::now() + kEventTimeout;
    XEvent event;
    while (!mapped_ && NextEvent(d, event, deadline)) {
        mapped_ = event.type == MapNotify;
    }
}

void TestWindow::TakeFocusAndPointer() {
    Display* d = display_.get();
    XSetInputFocus(d, window_, RevertToParent, CurrentTime);
    XWarpPointer(d, None, window_, 0, 0, 0, 0, 50, 50);
    XSync(d, False);
}

std::vector<SeenEvent> TestWindow::Collect() {
    Display* d = display_.get();
    const unsigned char one = 1;
    XChangeProperty(d, window_, marker_, XA_INTEGER, 8, PropModeReplace, &one, 1);
    XFlush(d);
    std::vector<SeenEvent> seen;
    const auto deadline = std::chrono::steady_clock::now() + kEventTimeout;
    XEvent event;
    while (NextEvent(d, event, deadline)) {
        switch (event.type) {
            case KeyPress:
            case KeyRelease:
                seen.push_back({event.type, event.xkey.keycode, XLookupKeysym(&event.xkey, 0)});
                break;
            case ButtonPress:
            case ButtonRelease:
                seen.push_back({event.type, event.xbutton.button, 0});
                break;
            case PropertyNotify:
                if (event.xproperty.atom == marker_) {
                    return seen;
                }
                break;
            default:
                break;
        }
    }
    return seen;
}

}  // namespace padrix::testing
