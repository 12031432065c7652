#pragma once

#include <cstdint>
#include <random>

#include "engine/RandomSource.h"

namespace padrix {

// Uniform numbers in [0, 1) from a generator seeded once.
class SeededRandom final : public RandomSource {
  public:
    explicit SeededRandom(std::uint32_t seed) : engine_(seed) {}

    // A seed from the time of day, for a fresh sequence at every start.
    static std::uint32_t SeedFromTimeOfDay();

    float Next() override;

  private:
    std::mt19937 engine_;
};

}  // namespace padrix
