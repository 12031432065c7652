#pragma once

#include <array>
#include <cstdint>

namespace padrix {

// Flags of a raw key event, by their Windows values.
inline constexpr std::uint32_t kKeyEventDown = 0;
inline constexpr std::uint32_t kKeyEventExtended = 1;
inline constexpr std::uint32_t kKeyEventUp = 2;

// Flags of a mouse button event, by their Windows values.
inline constexpr std::uint32_t kMouseLeftDown = 2;
inline constexpr std::uint32_t kMouseLeftUp = 4;
inline constexpr std::uint32_t kMouseRightDown = 8;
inline constexpr std::uint32_t kMouseRightUp = 16;

struct ScreenPoint {
    int x = 0;
    int y = 0;
    friend bool operator==(const ScreenPoint&, const ScreenPoint&) = default;
};

// One byte per virtual key; the low bit of a toggle key's byte is its state.
using KeyboardStateTable = std::array<std::uint8_t, 256>;

// Synthetic keyboard and mouse events for the focused window.
class EventOutput {
  public:
    virtual ~EventOutput() = default;

    // One key event for virtual key `vk`. A non-zero `scanCode` names the
    // physical key (PC set 1) that MS-DOS programs read. `flags` combines
    // kKeyEventExtended and kKeyEventUp.
    virtual void KeyEvent(std::uint8_t vk, std::uint8_t scanCode, std::uint32_t flags) = 0;

    // The set-1 scan code of `vk` on a US keyboard, 0 when it has none.
    virtual std::uint8_t ScanCode(std::uint8_t vk) = 0;

    // One mouse button event (kMouseLeftDown ...) where the pointer is.
    virtual void MouseButton(std::uint32_t flags) = 0;

    // The pointer position in screen pixels. Where the position cannot be
    // read, the last position set is reported.
    virtual ScreenPoint GetCursorPos() = 0;
    virtual void SetCursorPos(ScreenPoint p) = 0;

    // The keyboard's toggle states. Setting writes back only what the
    // platform can show (the Scroll Lock indicator); other bytes are ignored.
    virtual KeyboardStateTable GetKeyboardState() = 0;
    virtual void SetKeyboardState(const KeyboardStateTable& table) = 0;
};

}  // namespace padrix
