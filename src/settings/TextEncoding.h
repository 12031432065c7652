#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace padrix {

// True when bytes are well-formed UTF-8 (no overlong forms, no surrogates,
// nothing above U+10FFFF).
bool IsValidUtf8(std::string_view bytes);
// The length of the longest prefix of bytes that ends on a whole UTF-8
// sequence, for bytes that were cut from a longer text.
std::size_t Utf8CompletePrefix(std::string_view bytes);
// Windows-1252 bytes as UTF-8. The five unassigned bytes map to the C1
// controls of the same number, as Windows does.
std::string Cp1252ToUtf8(std::string_view bytes);

}  // namespace padrix
