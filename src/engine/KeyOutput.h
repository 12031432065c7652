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
    // Key vk down / up without a scan code, in MS-DOS mode too.
    void PlainKey(std::uint8_t vk, bool down);
    // Types a keystroke string; false (and nothing sent) when it is malformed.
    bool SendKeys(std::string_view text);

    void Mouse(MouseButton button, bool down);
    ScreenPoint PointerPosition() { return out_.PointerPosition(); }
    void MovePointer(ScreenPoint p) { out_.MovePointer(p); }

    void SetScrollLockState(bool on) { out_.SetScrollLockLight(on); }

    // Releases every key and mouse button this output left down.
    void ReleaseAll();

    // Whether this output has key vk down right now.
    bool Holds(std::uint8_t vk) const { return keysDown_.test(vk); }

  private:
    void Key(std::uint8_t vk, bool down, std::uint8_t scanCode);

    EventOutput& out_;
    const Options& options_;
    std::bitset<256> keysDown_;
    std::bitset<2> mouseDown_;
};

}  // namespace padrix
