#pragma once

#include <cstdint>
#include <vector>

#include "engine/VirtualKeys.h"

namespace padrix::testing {

// Every virtual-key code the program gives a name to.
inline std::vector<std::uint8_t> NamedKeys() {
    std::vector<std::uint8_t> named;
    for (int v = 1; v < 256; ++v) {
        if (!vk::Name(static_cast<std::uint8_t>(v)).empty()) {
            named.push_back(static_cast<std::uint8_t>(v));
        }
    }
    return named;
}

}  // namespace padrix::testing
