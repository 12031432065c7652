#include "dialogs/PadWatcher.h"

#include <algorithm>

#include "engine/PadSlots.h"

namespace padrix {
int PadWatcher::PadButtonOf(int b) {
    const int slot = SlotOfButton(b);
    return slot < kDialogSlots ? slot : kNone;
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
    const auto side = static_cast<Direction>(low ? lowSide : lowSide + 1);
    bool& held = directionHeld_[static_cast<std::size_t>(side)];
    if (held) {
        return kNone;
    }
    held = true;
    return low && quietLow ? kNone : SlotOfDirection(side);
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
