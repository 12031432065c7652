#pragma once

#include <cstdint>

namespace padrix {

enum class MouseButton : std::uint8_t { kLeft, kRight };

struct ScreenPoint {
    int x = 0;
    int y = 0;
    friend bool operator==(const ScreenPoint&, const ScreenPoint&) = default;
};

// Synthetic keyboard and mouse events for the focused window.
class EventOutput {
  public:
    virtual ~EventOutput() = default;

    // Key `vk` (a virtual-key code) down or up. A non-zero `scanCode` names
    // the physical key (PC set 1) that MS-DOS programs read.
    virtual void SendKey(std::uint8_t vk, bool down, std::uint8_t scanCode) = 0;

    // The set-1 scan code of `vk` on the keyboard layout, 0 when it has none.
    virtual std::uint8_t ScanCode(std::uint8_t vk) = 0;

    // A mouse button down or up where the pointer is.
    virtual void SendMouseButton(MouseButton button, bool down) = 0;

    // The pointer position in screen pixels. Where the position cannot be
    // read, the last position set is reported.
    virtual ScreenPoint PointerPosition() = 0;
    virtual void MovePointer(ScreenPoint p) = 0;

    // The Scroll Lock light of the keyboard, where the platform can show it.
    virtual bool ScrollLockLight() = 0;
    virtual void SetScrollLockLight(bool on) = 0;
};

}  // namespace padrix
