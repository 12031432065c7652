#pragma once

namespace padrix {

// Uniform random numbers in [0, 1), in single precision.
class RandomSource {
  public:
    virtual ~RandomSource() = default;
    virtual float Next() = 0;
};

}  // namespace padrix
