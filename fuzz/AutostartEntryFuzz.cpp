// libFuzzer target: any bytes as an autostart entry someone else wrote.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "settings/AutostartEntry.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    padrix::AutostartSwitchedOn(std::string_view(reinterpret_cast<const char*>(data), size));
    return 0;
}
