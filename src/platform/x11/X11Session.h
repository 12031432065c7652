#pragma once

#include <X11/Xlib.h>

#include <array>
#include <cstdint>
#include <memory>
#include <string>

namespace padrix::x11 {

// Linux input key codes appear in X as keycodes 8 higher (evdev keycodes).
inline constexpr int kEvdevKeycodeOffset = 8;

struct DisplayCloser {
    void operator()(Display* d) const;
};
using DisplayPtr = std::unique_ptr<Display, DisplayCloser>;

// Opens a connection to the X display `name` (empty: $DISPLAY); nullptr
// when it cannot be opened. X errors of requests on other clients' windows
// are expected (a window may vanish at any time) and never end the program.
DisplayPtr OpenDisplay(const std::string& name);

// A bit per X keycode, as XQueryKeymap reports the keys held.
using KeycodeBits = std::array<std::uint8_t, 32>;

// Where each virtual key lives on the current X keyboard mapping.
struct KeyTables {
    // The keycode that types the key's keysym, 0 when the mapping has none.
    std::array<KeyCode, 256> keycodeOfVk{};
    // Every keycode that counts as the key being held (both Ctrl keys for 17).
    std::array<KeycodeBits, 256> heldMaskOfVk{};
    int minKeycode = 8;
    int maxKeycode = 255;
};

// One X connection shared by the parts that run on the program's main
// thread (key output, key state, window activation). It follows changes of
// the keyboard mapping.
class X11Session {
  public:
    explicit X11Session(DisplayPtr display);

    Display* display() const { return display_.get(); }
    Window root() const { return DefaultRootWindow(display_.get()); }
    const KeyTables& keys() const { return keys_; }

    // Handles the events that have arrived, without waiting.
    void Pump();
    // Handles one event; the ones the session does not need are dropped.
    void Handle(XEvent& event);

  private:
    DisplayPtr display_;
    KeyTables keys_;
};

}  // namespace padrix::x11
