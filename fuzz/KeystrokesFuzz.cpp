// Keystroke strings: any text either parses into balanced key events or is refused.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "FuzzCheck.h"
#include "engine/Keystrokes.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const auto keys = padrix::ParseKeystrokes(text);
    if (!keys) {
        return 0;
    }
    std::array<int, 256> down{};
    for (const padrix::Keystroke& k : *keys) {
        down[k.vk] += k.up ? -1 : 1;
        padrix::fuzz::Check(down[k.vk] == 0 || down[k.vk] == 1);
    }
    for (int d : down) {
        padrix::fuzz::Check(d == 0);
    }
    return 0;
}
