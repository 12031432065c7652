#include "platform/x11/X11WindowActivator.h"

#include <poll.h>

#include <utility>

namespace padrix::x11 {

namespace {

// EWMH source indication: a pager or task bar, which window managers obey
// without their focus-stealing checks.
constexpr long kSourcePager = 2;
constexpr long kAllDesktops = 0xFFFFFFFF;

}  // namespace

X11WindowActivator::X11WindowActivator(std::shared_ptr<X11Session> session,
                                       std::chrono::milliseconds focusWait)
    : session_(std::move(session)), windows_(session_->display()), focusWait_(focusWait) {}

bool X11WindowActivator::ActivateByTitle(std::string_view title) {
    session_->Pump();
    const auto w = FindByTitle(windows_, title);
    if (!w) {
        return false;
    }
    XSelectInput(session_->display(), *w, FocusChangeMask);
    if (windows_.ManagerSupportsActivation()) {
        AskManager(*w);
    } else {
        FocusDirectly(*w);
    }
    WaitForFocus(*w);
    XSelectInput(session_->display(), *w, NoEventMask);
    XFlush(session_->display());
    return true;
}

void X11WindowActivator::SendToRoot(Atom type, long a0, long a1, long a2, Window about) {
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = about;
    event.xclient.message_type = type;
    event.xclient.format = 32;
    event.xclient.data.l[0] = a0;
    event.xclient.data.l[1] = a1;
    event.xclient.data.l[2] = a2;
    XSendEvent(session_->display(), session_->root(), False,
               SubstructureRedirectMask | SubstructureNotifyMask, &event);
}

void X11WindowActivator::AskManager(Window w) {
    const auto desktop = windows_.CardinalProperty(w, windows_.atom("_NET_WM_DESKTOP"));
    const auto current =
        windows_.CardinalProperty(session_->root(), windows_.atom("_NET_CURRENT_DESKTOP"));
    if (desktop && current && *desktop != *current && (*desktop & kAllDesktops) != kAllDesktops) {
        SendToRoot(windows_.atom("_NET_CURRENT_DESKTOP"), *desktop, CurrentTime, 0,
                   session_->root());
    }
    SendToRoot(windows_.atom("_NET_ACTIVE_WINDOW"), kSourcePager, CurrentTime, 0, w);
    XFlush(session_->display());
}

void X11WindowActivator::FocusDirectly(Window w) {
    XRaiseWindow(session_->display(), w);
    XSetInputFocus(session_->display(), w, RevertToParent, CurrentTime);
    XFlush(session_->display());
}

bool X11WindowActivator::HasFocus(Window w) const {
    Window focus = 0;
    int revert = 0;
    XGetInputFocus(session_->display(), &focus, &revert);
    return focus == w;
}

void X11WindowActivator::WaitForFocus(Window w) {
    Display* d = session_->display();
    const auto deadline = std::chrono::steady_clock::now() + focusWait_;
    pollfd fd{ConnectionNumber(d), POLLIN, 0};
    while (!HasFocus(w)) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) {
            return;
        }
        // Events that came in with the focus query are already read; only
        // wait for the connection when none did. The FocusIn wakes it up.
        if (QLength(d) == 0) {
            poll(&fd, 1, static_cast<int>(left.count()) + 1);
        }
        session_->Pump();
    }
}

}  // namespace padrix::x11
