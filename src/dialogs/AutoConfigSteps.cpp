#include "dialogs/AutoConfigSteps.h"

#include <algorithm>
#include <array>

namespace padrix {
namespace {

constexpr std::array<int, 14> kFirstIndices{6, 7, 8, 9, 3, 4, 5, 0, 1, 2, 11, 12, 10, 13};
constexpr std::array<const char*, 4> kDirections{"Up", "Down", "Left", "Right"};
constexpr int kMinimumSteps = 14;

}  // namespace

int AutoConfigIndex(int step) {
    if (step >= 0 && step < static_cast<int>(kFirstIndices.size())) {
        return kFirstIndices[static_cast<std::size_t>(step)];
    }
    return step < kAutoConfigSteps ? step : -1;  // the extra buttons 14 to 23
}

QString AutoConfigText(int step) {
    if (step >= 0 && step < static_cast<int>(kDirections.size())) {
        return QString::fromLatin1(kDirections[static_cast<std::size_t>(step)]);
    }
    return QStringLiteral("Button %1").arg(step - 3);
}

int AutoConfigStepCount(int buttonCount) {
    return std::clamp(buttonCount + 4, kMinimumSteps, kAutoConfigSteps);
}

}  // namespace padrix
