#pragma once

#include <X11/Xlib.h>

#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "platform/keycodes/KeyLayout.h"

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
    // The keyboard layout: which virtual key each key captures as and which
    // key each virtual key presses, by Linux key code.
    keycodes::KeyLayout layout = keycodes::KeyLayout::NoKeys();
    // The keycode that each virtual key presses, 0 when the mapping has none.
    std::array<KeyCode, 256> keycodeOfVk{};
    // Every keycode that counts as the key being held (both Ctrl keys for 17).
    std::array<KeycodeBits, 256> heldMaskOfVk{};
    int minKeycode = 8;
    int maxKeycode = 255;

    // The keycode of Linux key `linuxKey`, 0 when there is none.
    KeyCode KeycodeOfKey(std::uint16_t linuxKey) const {
        const int keycode = linuxKey + kEvdevKeycodeOffset;
        const bool mapped = linuxKey != 0 && keycode >= minKeycode && keycode <= maxKeycode;
        return mapped ? static_cast<KeyCode>(keycode) : 0;
    }
};

class RawKeyState;

// One X connection shared by the parts that run on the program's main
// thread (key output, key state, window activation). It follows changes of
// the keyboard and its mapping and, once asked to, the keys held.
class X11Session {
  public:
    explicit X11Session(DisplayPtr display);
    ~X11Session();
    X11Session(const X11Session&) = delete;
    X11Session& operator=(const X11Session&) = delete;

    Display* display() const { return display_.get(); }
    Window root() const { return DefaultRootWindow(display_.get()); }
    const KeyTables& keys() const { return keys_; }

    // Starts following the keys held from the server's events; false when
    // the server cannot tell (no XInput 2).
    bool FollowKeys();
    const RawKeyState& rawKeys() const { return *rawKeys_; }
    // Whether a key went down or up since the last call.
    bool TakeKeyChanges();

    // Handles the events that have arrived, without waiting.
    void Pump();
    // Handles the events already read from the connection, without reading.
    void HandleQueued();
    // Handles one event; the ones the session does not need are dropped.
    void Handle(XEvent& event);

  private:
    // The keyboard or its mapping changed: new tables, and the keys read afresh.
    void KeyboardChanged();

    DisplayPtr display_;
    int xkbEventBase_ = -1;
    KeyTables keys_;
    std::unique_ptr<RawKeyState> rawKeys_;
};

}  // namespace padrix::x11
