#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace padrix {

// Section and key names as they are written into the INI file: letters,
// digits, '-' and '.' stay; every other byte becomes '_' and two upper-case
// hex digits; the empty name is "_". The result holds nothing that the INI
// layer would escape, fold or treat as a separator.
std::string EncodeName(std::string_view name);
// The name a token stands for, or nullopt when it is not such an encoding.
std::optional<std::string> DecodeName(std::string_view token);

}  // namespace padrix
