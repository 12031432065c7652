#include "dialogs/AutoConfigSteps.h"

#include <algorithm>
#include <array>

#include "engine/PadSlots.h"

namespace padrix {
namespace {

constexpr int kDirectionSteps = 4;
constexpr int kMinimumSteps = 14;

// The direction slots in the order the dialog shows them.
constexpr std::array<int, kDirectionSteps> DirectionSlots() {
    std::array<int, kDirectionSteps> table{};
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
    if (step >= 0 && step < kDirectionSteps) {
        return kDirectionSlots[static_cast<std::size_t>(step)];
    }
    return step < kAutoConfigSteps ? SlotOfButton(step - kDirectionSteps) : kNoSlot;
}

QString AutoConfigText(int step) {
    if (step >= 0 && step < kDirectionSteps) {
        const std::string_view name =
            kNamedSlots[static_cast<std::size_t>(kDirectionSlots[static_cast<std::size_t>(step)])]
                .name;
        return QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size()));
    }
    return QStringLiteral("Button %1").arg(step - 3);
}

int AutoConfigStepCount(int buttonCount) {
    return std::clamp(buttonCount + kDirectionSteps, kMinimumSteps, kAutoConfigSteps);
}

}  // namespace padrix
