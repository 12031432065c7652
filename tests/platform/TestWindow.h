#pragma once

#include <X11/Xlib.h>

#include <chrono>
#include <functional>
#include <string>
#include <vector>

#include "platform/x11/X11Session.h"

namespace padrix::testing {

using namespace std::chrono_literals;

// Waits until `ready` holds, looking again whenever an event arrives on
// `d` (events are dropped); false after `timeout`.
bool WaitOnX(Display* d, const std::function<bool()>& ready, std::chrono::milliseconds timeout);

// Key or button event as a client window saw it.
struct SeenEvent {
    int type = 0;         // KeyPress, KeyRelease, ButtonPress, ButtonRelease
    unsigned detail = 0;  // keycode or button
    KeySym keysym = 0;    // unshifted keysym of a key event
    friend bool operator==(const SeenEvent&, const SeenEvent&) = default;
};

// A real X client with one top-level window that records the key and button
// events it receives, on a connection of its own.
class TestWindow {
  public:
    enum class TitleKind { kNetWmName, kWmNameOnly };

    TestWindow(const std::string& display, const std::string& title,
               TitleKind kind = TitleKind::kNetWmName);

    Display* display() const { return display_.get(); }
    Window id() const { return window_; }
    bool mapped() const { return mapped_; }

    // Gives the window the keyboard focus and puts the pointer over it.
    void TakeFocusAndPointer();

    // The key and button events that arrived before a marker this client
    // sends now. Call after the sender's requests were processed (XSync),
    // so that the list is exactly what was sent.
    std::vector<SeenEvent> Collect();

  private:
    x11::DisplayPtr display_;
    Window window_ = 0;
    Atom marker_ = 0;
    bool mapped_ = false;
};

}  // namespace padrix::testing
