#pragma once

#include <array>

#include "engine/JoyState.h"

namespace padrix {

// Watches the dialog's joypad for the pad button the user presses to pick it:
// each reading gives at most one pad button (the slot it fills) whose key capture
// starts, the first new press in the order x axis, y axis, buttons 0 upwards.
// A press counts again only after its input has been seen at rest. Plain
// C++: no allocation, no Qt.
class PadWatcher {
  public:
    static constexpr int kNone = -1;

    // logitechPatch: Wingman pads report x = 0 and y = 0 together for
    // nothing pressed; such a Left or Down starts nothing.
    explicit PadWatcher(bool logitechPatch) : logitechPatch_(logitechPatch) {}

    // The pad button to capture for this reading, or kNone. maxButton is the
    // highest button the pad has.
    int Next(const JoyState& state, int maxButton);

    // The pad button (slot) of controller button b, or kNone for buttons without one.
    static int PadButtonOf(int b);

  private:
    int Axis(std::int32_t value, int lowSide, bool quietLow);
    int Buttons(const JoyState& state, int maxButton);

    bool logitechPatch_;
    std::array<bool, 4> directionHeld_{};  // Left, Right, Up, Down
    std::array<bool, kJoyStateButtons> buttonHeld_{};
};

}  // namespace padrix
