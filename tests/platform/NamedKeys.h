#pragma once

#include <cstdint>
#include <utility>
#include <vector>

namespace padrix::testing {

// Every virtual-key code the configuration dialog gives a name to.
inline std::vector<std::uint8_t> NamedKeys() {
    std::vector<std::uint8_t> named = {8,   9,   13,  16,  17,  18,  19,  20,  45,  46,
                                       106, 107, 109, 110, 111, 144, 145, 186, 187, 188,
                                       189, 190, 191, 192, 219, 220, 221, 222};
    const std::pair<int, int> ranges[] = {{32, 40}, {48, 57}, {65, 90}, {96, 105}, {112, 127}};
    for (auto [from, to] : ranges) {
        for (int v = from; v <= to; ++v) {
            named.push_back(static_cast<std::uint8_t>(v));
        }
    }
    return named;
}

}  // namespace padrix::testing
