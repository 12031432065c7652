#include "SeededRandom.h"

#include <chrono>

namespace padrix {

std::uint32_t SeededRandom::SeedFromTimeOfDay() {
    const auto now = std::chrono::system_clock::now().time_since_epoch();
    return static_cast<std::uint32_t>(
        std::chrono::duration_cast<std::chrono::microseconds>(now).count());
}

float SeededRandom::Next() {
    // The top 24 bits fill a float's mantissa exactly, so 1.0 is never reached.
    constexpr float kScale = 1.0f / 16777216.0f;
    return static_cast<float>(engine_() >> 8) * kScale;
}

}  // namespace padrix
