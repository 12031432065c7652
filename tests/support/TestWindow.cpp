#include "TestWindow.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <poll.h>

#include <chrono>

namespace padrix::testing {

namespace {

// The next event, waiting `timeoutMs` at most from `start`.
bool NextEvent(Display* d, XEvent& event, std::chrono::steady_clock::time_point start,
               int timeoutMs) {
    pollfd p{ConnectionNumber(d), POLLIN, 0};
    while (XPending(d) == 0) {
        const auto spent = std::chrono::duration_cast<std::chrono::milliseconds>(
            std::chrono::steady_clock::now() - start);
        const int left = timeoutMs - static_cast<int>(spent.count());
        if (left <= 0 || poll(&p, 1, left) <= 0) {
            return false;
        }
    }
    XNextEvent(d, &event);
    return true;
}

// Adds a key or button event to `seen`.
void Record(XEvent& e, std::vector<SeenEvent>& seen) {
    switch (e.type) {
        case KeyPress:
        case KeyRelease:
            seen.push_back({e.type == KeyPress ? Seen::kKeyPress : Seen::kKeyRelease,
                            e.xkey.keycode, XLookupKeysym(&e.xkey, 0)});
            break;
        case ButtonPress:
        case ButtonRelease:
            seen.push_back({e.type == ButtonPress ? Seen::kButtonPress : Seen::kButtonRelease,
                            e.xbutton.button});
            break;
        default:
            break;
    }
}

}  // namespace

bool WaitOnX(XDisplay* d, const std::function<bool()>& ready, int timeoutMs) {
    const auto start = std::chrono::steady_clock::now();
    XEvent event;
    while (!ready()) {
        if (!NextEvent(d, event, start, timeoutMs) && !ready()) {
            return false;
        }
    }
    return true;
}

TestWindow::TestWindow(const std::string& display, const std::string& title, TitleKind kind)
    : display_(display.empty() ? nullptr : XOpenDisplay(display.c_str())) {
    Display* d = display_;
    if (d == nullptr) {
        return;
    }
    window_ = XCreateSimpleWindow(d, DefaultRootWindow(d), 0, 0, 200, 200, 0, 0, 0xFFFFFF);
    XSelectInput(d, window_,
                 KeyPressMask | KeyReleaseMask | ButtonPressMask | ButtonReleaseMask |
                     StructureNotifyMask | PropertyChangeMask);
    const auto* bytes = reinterpret_cast<const unsigned char*>(title.data());
    const int size = static_cast<int>(title.size());
    if (kind == TitleKind::kNetWmName) {
        XChangeProperty(d, window_, XInternAtom(d, "_NET_WM_NAME", False),
                        XInternAtom(d, "UTF8_STRING", False), 8, PropModeReplace, bytes, size);
        XStoreName(d, window_, "(legacy name)");
    } else {  // WM_NAME alone, in Latin-1 (the STRING encoding)
        XChangeProperty(d, window_, XA_WM_NAME, XA_STRING, 8, PropModeReplace, bytes, size);
    }
    marker_ = XInternAtom(d, "PADRIX_TEST_MARKER", False);
    XMapRaised(d, window_);
    const auto start = std::chrono::steady_clock::now();
    XEvent event;
    while (!mapped_ && NextEvent(d, event, start, 5000)) {
        mapped_ = event.type == MapNotify;
    }
}

TestWindow::~TestWindow() {
    if (display_ != nullptr) {
        XCloseDisplay(display_);
    }
}

int TestWindow::ConnectionFd() const {
    return ConnectionNumber(display_);
}

void TestWindow::TakeFocusAndPointer() {
    XSetInputFocus(display_, window_, RevertToParent, CurrentTime);
    XWarpPointer(display_, None, window_, 0, 0, 0, 0, 50, 50);
    XSync(display_, False);
}

void TestWindow::StopKeyRepeat() {
    XAutoRepeatOff(display_);
    XSync(display_, False);
}

bool TestWindow::HasFocus() const {
    Window focus = 0;
    int revert = 0;
    XGetInputFocus(display_, &focus, &revert);
    return focus == window_;
}

void TestWindow::SetTitle(const std::string& title) {
    XChangeProperty(display_, window_, XInternAtom(display_, "_NET_WM_NAME", False),
                    XInternAtom(display_, "UTF8_STRING", False), 8, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(title.data()),
                    static_cast<int>(title.size()));
    XSync(display_, False);
}

std::vector<SeenEvent> TestWindow::Collect() {
    const unsigned char one = 1;
    XChangeProperty(display_, window_, marker_, XA_INTEGER, 8, PropModeReplace, &one, 1);
    XFlush(display_);
    std::vector<SeenEvent> seen;
    const auto start = std::chrono::steady_clock::now();
    XEvent e;
    while (NextEvent(display_, e, start, 5000) &&
           !(e.type == PropertyNotify && e.xproperty.atom == marker_)) {
        Record(e, seen);
    }
    return seen;
}

std::vector<SeenEvent> TestWindow::Drain() {
    std::vector<SeenEvent> seen;
    XEvent e;
    while (XPending(display_) > 0) {
        XNextEvent(display_, &e);
        Record(e, seen);
    }
    return seen;
}

bool TestWindow::WaitForEvents(const std::function<bool()>& ready, int timeoutMs) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    pollfd p{ConnectionNumber(display_), POLLIN, 0};
    while (!ready()) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            end - std::chrono::steady_clock::now());
        // Nothing is queued once `ready` has drained: the socket tells of more.
        if (left.count() <= 0 ||
            (XPending(display_) == 0 && poll(&p, 1, static_cast<int>(left.count())) < 0)) {
            return ready();
        }
    }
    return true;
}

}  // namespace padrix::testing
