#pragma once

#include <bitset>
#include <cstdint>
#include <string_view>

#include "EventOutput.h"
#include "Options.h"

namespace padrix {

// The key and mouse operations of the engine. It remembers which keys and
// mouse buttons it left down so that ReleaseAll can let every one of them go.
class KeyOutput {
  public:
    KeyOutput(EventOutput& out, const Options& options) : out_(out), options_(options) {}

    // Key vk down / up; in MS-DOS mode with the key's scan code.
    void KeyDown(std::uint8_t vk);
    void KeyUp(std::uint8_t vk);
    void KeyPress(std::uint8_t vk);
    // Twelve presses in a row.
    void AutoFireBurst(std::uint8_t vk);
    // One key event with exactly these values.
    void RawKeyEvent(std::uint8_t vk, std::uint8_t scanCode, std::uint32_t flags);
    // Types a keystroke string; false (and nothing sent) when it is malformed.
    bool SendKeys(std::string_view text);

    void MouseLeftDown();
    void MouseLeftUp();
    void MouseRightDown();
    void MouseRightUp();
    ScreenPoint GetCursorPos() { return out_.GetCursorPos(); }
    void SetCursorPos(ScreenPoint p) { out_.SetCursorPos(p); }

    // Sets the byte of vk in the keyboard state table to |value|.
    void SetKeyState(std::uint8_t vk, std::int16_t value);
    void SetScrollLockState(bool on);

    // Releases every key and mouse button this output left down.
    void ReleaseAll();

    // Whether this output has key vk down right now.
    bool Holds(std::uint8_t vk) const { return keysDown_.test(vk); }

  private:
    void Mouse(std::uint32_t flags, int button, bool down);

    EventOutput& out_;
    const Options& options_;
    std::bitset<256> keysDown_;
    std::bitset<2> mouseDown_;
};

}  // namespace padrix
