#include "dialogs/PadWatcher.h"

#include <algorithm>

namespace padrix {
namespace {

// Directions in held-flag order and the pad buttons they pick.
constexpr int kLeft = 0;
constexpr int kUp = 2;
constexpr std::array<int, 4> kDirectionButtons{8, 9, 6, 7};  // Left, Right, Up, Down
constexpr std::array<int, 9> kFirstButtons{3, 4, 5, 0, 1, 2, 11, 12, 10};
constexpr int kPadButtonCount = 24;

}  // namespace

int PadWatcher::PadButtonOf(int b) {
    if (b >= 0 && b < static_cast<int>(kFirstButtons.size())) {
        return kFirstButtons[static_cast<std::size_t>(b)];
    }
    const int index = b + 4;  // button 9 is M, 10 to 19 the extra buttons
    return b >= 0 && index < kPadButtonCount ? index : kNone;
}

int PadWatcher::Next(const JoyState& state, int maxButton) {
    if (state.x != kAxisCentre) {
        return Axis(state.x, kLeft, logitechPatch_ && state.y == 0);
    }
    directionHeld_[kLeft] = directionHeld_[kLeft + 1] = false;
    if (state.y != kAxisCentre) {
        // x is centred here, so the patch never holds Down back.
        return Axis(state.y, kUp, false);
    }
    directionHeld_[kUp] = directionHeld_[kUp + 1] = false;
    return Buttons(state, maxButton);
}

// One axis away from its centre: the low side's direction is lowSide, the
// high side's the next. A new press sets its held flag and picks its button
// unless quietLow holds it back on the low side.
int PadWatcher::Axis(std::int32_t value, int lowSide, bool quietLow) {
    const bool low = value < kAxisCentre;
    const int side = low ? lowSide : lowSide + 1;
    bool& held = directionHeld_[static_cast<std::size_t>(side)];
    if (held) {
        return kNone;
    }
    held = true;
    return low && quietLow ? kNone : kDirectionButtons[static_cast<std::size_t>(side)];
}

int PadWatcher::Buttons(const JoyState& state, int maxButton) {
    const int last = std::min(maxButton, kJoyStateButtons - 1);
    for (int b = 0; b <= last; ++b) {
        bool& held = buttonHeld_[static_cast<std::size_t>(b)];
        if (state.buttons[static_cast<std::size_t>(b)] == 0) {
            held = false;
            continue;
        }
        if (!held) {
            held = true;
            if (const int index = PadButtonOf(b); index != kNone) {
                return index;
            }
        }
    }
    return kNone;
}

}  // namespace padrix
