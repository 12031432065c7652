#include "platform/x11/X11ActiveWindowWatch.h"

#include <X11/Xatom.h>

namespace padrix::x11 {

X11ActiveWindowWatch::X11ActiveWindowWatch(DisplayPtr display)
    : display_(std::move(display)),
      windows_(display_.get()),
      root_(DefaultRootWindow(display_.get())),
      activeWindowAtom_(windows_.atom("_NET_ACTIVE_WINDOW")),
      netWmNameAtom_(windows_.atom("_NET_WM_NAME")) {}

X11ActiveWindowWatch::~X11ActiveWindowWatch() {
    Stop();
}

bool X11ActiveWindowWatch::Available() {
    return windows_.ManagerSupportsActivation();
}

int X11ActiveWindowWatch::Descriptor() const {
    return ConnectionNumber(display_.get());
}

std::string X11ActiveWindowWatch::Start() {
    if (!watching_) {
        watching_ = true;
        XSelectInput(display_.get(), root_, PropertyChangeMask);
        Follow(ActiveWindow());
    }
    HandleQueued();
    return ActiveTitle();
}

void X11ActiveWindowWatch::Stop() {
    if (!watching_) {
        return;
    }
    watching_ = false;
    Follow(None);
    XSelectInput(display_.get(), root_, NoEventMask);
    // Whatever arrived until now is of no interest any more.
    XSync(display_.get(), True);
}

std::optional<std::string> X11ActiveWindowWatch::TakeChange() {
    bool changed = false;
    std::string title;
    // Reading a title may queue further events without the connection
    // becoming readable again: handle until none is left.
    while (HandleQueued()) {
        changed = true;
        title = ActiveTitle();
    }
    if (!changed) {
        return std::nullopt;
    }
    return title;
}

bool X11ActiveWindowWatch::HandleQueued() {
    Display* d = display_.get();
    bool changed = false;
    while (XPending(d) > 0) {
        XEvent event;
        XNextEvent(d, &event);
        if (!watching_ || event.type != PropertyNotify) {
            continue;
        }
        const XPropertyEvent& p = event.xproperty;
        if (p.window == root_ && p.atom == activeWindowAtom_) {
            const Window now = ActiveWindow();
            changed = changed || now != active_;
            Follow(now);
        } else if (p.window == active_ && (p.atom == netWmNameAtom_ || p.atom == XA_WM_NAME)) {
            changed = true;
        }
    }
    return changed;
}

Window X11ActiveWindowWatch::ActiveWindow() const {
    const std::vector<Window> active = windows_.WindowListProperty(root_, activeWindowAtom_);
    return active.empty() ? None : active.front();
}

void X11ActiveWindowWatch::Follow(Window w) {
    if (w == active_) {
        return;
    }
    // The root window's own events stay selected as long as the watch runs.
    if (active_ != None && active_ != root_) {
        XSelectInput(display_.get(), active_, NoEventMask);
    }
    active_ = w;
    if (active_ != None && active_ != root_) {
        XSelectInput(display_.get(), active_, PropertyChangeMask);
    }
    XFlush(display_.get());
}

std::string X11ActiveWindowWatch::ActiveTitle() const {
    return active_ != None ? windows_.Title(active_) : std::string();
}

}  // namespace padrix::x11
