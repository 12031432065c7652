// libFuzzer target: any bytes through the value conversions and the name
// encoding of the settings file.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "FuzzCheck.h"
#include "settings/NameCodec.h"
#include "settings/SettingValues.h"
#include "settings/SettingsTable.h"

using padrix::fuzz::Check;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);

    const auto number = padrix::ToInt16(text);
    if (number) {
        Check(padrix::ToInt16(padrix::FromInt(*number)) == number);
        Check(padrix::ToBoolean(text) == (*number != 0));
    }
    if (const auto code = padrix::ToKeyCode(text)) {
        Check(number && *number == *code);
    }
    if (const auto flag = padrix::ToBoolean(text)) {
        Check(padrix::ToBoolean(padrix::FromBoolean(*flag)) == flag);
    }

    const std::string token = padrix::EncodeName(text);
    Check(padrix::DecodeName(token) == std::string(text));
    if (const auto name = padrix::DecodeName(text)) {
        Check(padrix::EncodeName(*name) == text);
    }
    Check(padrix::FoldName(padrix::FoldName(text)) == padrix::FoldName(text));
    return 0;
}
