#pragma once

#include <cstdint>

namespace padrix {

// Whether a physical key is held down right now, by virtual-key code.
class PhysicalKeys {
  public:
    virtual ~PhysicalKeys() = default;
    virtual bool IsKeyDown(std::uint8_t vk) = 0;
};

}  // namespace padrix
