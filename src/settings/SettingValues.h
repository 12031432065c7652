#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace padrix {

// Conversions between setting texts and values. A read that fails returns
// nullopt, and the caller leaves its option as it was.
//
// Accepted texts (no blanks anywhere, ASCII only):
//  - Boolean: "True" or "False" in any letter case, or a whole number with an
//    optional sign ("+"/"-") and any count of digits: True when non-zero.
//  - 16-bit integer: optional sign, then decimal digits (leading zeros allowed),
//    -32768 to 32767.
//  - Key code: decimal digits only (no sign, leading zeros allowed), 0 to 255.
std::optional<bool> ToBoolean(std::string_view text);
std::optional<std::int16_t> ToInt16(std::string_view text);
std::optional<std::uint8_t> ToKeyCode(std::string_view text);

// "True" or "False".
std::string FromBoolean(bool value);
// Signed decimal text without leading zeros or blanks.
std::string FromInt(long long value);

}  // namespace padrix
