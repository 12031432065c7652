#include "dialogs/AutoConfigSteps.h"

#include <algorithm>
#include <array>

#include "engine/PadSlots.h"

namespace padrix {
namespace {

constexpr int kMinimumSteps = 14;

// The direction slots in the order the dialog shows them.
constexpr std::array<int, kAutoConfigDirections> DirectionSlots() {
    std::array<int, kAutoConfigDirections> table{};
    std::size_t n = 0;
    for (int s = 0; s < kShownSlots; ++s) {
        if (kNamedSlots[static_cast<std::size_t>(s)].direction >= 0) {
            table[n++] = s;
        }
    }
    return table;
}

constexpr auto kDirectionSlots = DirectionSlots();

}  // namespace

int AutoConfigIndex(int step) {
    if (step >= 0 && step < kAutoConfigDirections) {
        return kDirectionSlots[static_cast<std::size_t>(step)];
    }
    return step < kAutoConfigSteps ? SlotOfButton(step - kAutoConfigDirections) : kNoSlot;
}

int AutoConfigStepCount(int buttonCount) {
    return std::clamp(buttonCount + kAutoConfigDirections, kMinimumSteps, kAutoConfigSteps);
}

}  // namespace padrix
