#pragma once

#include <chrono>
#include <memory>

#include "platform/WindowActivator.h"
#include "platform/x11/X11Session.h"
#include "platform/x11/X11Windows.h"

namespace padrix::x11 {

// Activates a window by title: through the window manager (EWMH
// _NET_ACTIVE_WINDOW) where one announces it, else by raising and focusing
// the window directly. Waits, at most `focusWait`, until the window has the
// keyboard focus, so that a key sent next reaches it.
class X11WindowActivator : public WindowActivator {
  public:
    static constexpr std::chrono::milliseconds kDefaultFocusWait{500};

    explicit X11WindowActivator(std::shared_ptr<X11Session> session,
                                std::chrono::milliseconds focusWait = kDefaultFocusWait);

    bool ActivateByTitle(std::string_view title) override;

  private:
    void AskManager(Window w);
    void SendToRoot(Atom type, long a0, long a1, long a2, Window about);
    void FocusDirectly(Window w);
    bool HasFocus(Window w) const;
    void WaitForFocus(Window w);

    std::shared_ptr<X11Session> session_;
    X11Windows windows_;
    std::chrono::milliseconds focusWait_;
};

}  // namespace padrix::x11
