#pragma once

#include "platform/ActiveWindowWatch.h"
#include "platform/x11/X11Session.h"
#include "platform/x11/X11Windows.h"

namespace padrix::x11 {

// Follows the window manager's _NET_ACTIVE_WINDOW on the root window and the
// title of the window it names, from PropertyNotify events on a connection
// of its own. A window that vanishes meanwhile only ends up with no title.
class X11ActiveWindowWatch : public ActiveWindowWatch {
  public:
    explicit X11ActiveWindowWatch(DisplayPtr display);
    ~X11ActiveWindowWatch() override;
    X11ActiveWindowWatch(const X11ActiveWindowWatch&) = delete;
    X11ActiveWindowWatch& operator=(const X11ActiveWindowWatch&) = delete;

    bool Available() override;
    int Descriptor() const override;
    std::string Start() override;
    void Stop() override;
    std::optional<std::string> TakeChange() override;

  private:
    Window ActiveWindow() const;
    // Hears of title changes of `w` from now on, and no more of the last one's.
    void Follow(Window w);
    std::string ActiveTitle() const;
    // Handles the events queued; whether the focus or its title changed.
    bool HandleQueued();

    DisplayPtr display_;
    X11Windows windows_;
    Window root_;
    Atom activeWindowAtom_;
    Atom netWmNameAtom_;
    Window active_ = None;
    bool watching_ = false;
};

}  // namespace padrix::x11
