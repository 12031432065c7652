#pragma once

#include <X11/Xlib.h>

#include "platform/x11/X11Session.h"

namespace padrix::x11 {

// The keys held on the X server, followed through XInput2 raw key events
// (XI_RawKeyPress, XI_RawKeyRelease) selected on the root window: they come
// from every keyboard, whichever window has the focus, without a round trip.
// The whole keyboard is read afresh (XQueryKeymap) at the start and whenever
// the events may have missed something: a keyboard added, removed, enabled
// or disabled, or (told by the session) a change of the keyboard mapping.
class RawKeyState {
  public:
    // Selects the events on `root`; false (and nothing followed) when the
    // server has no XInput 2.2. Following already, it changes nothing.
    bool Follow(Display* display, Window root);
    bool following() const { return opcode_ >= 0; }

    // Reads every key afresh.
    void Resync(Display* display);
    // Takes in one event; the ones that are not XInput's are left alone.
    void Handle(Display* display, XEvent& event);

    // One bit per keycode, as XQueryKeymap gives them.
    const KeycodeBits& held() const { return held_; }
    // Whether a key went down or up since the last call.
    bool TakeChanged();

  private:
    void Set(int keycode, bool down);
    void Take(Display* display, const XGenericEventCookie& cookie);

    int opcode_ = -1;
    KeycodeBits held_{};
    bool changed_ = false;
};

}  // namespace padrix::x11
