#pragma once

#include <string>
#include <string_view>

namespace padrix {

// Letter case folding for names and keywords, independent of the locale:
// only A to Z change; every other byte, UTF-8 included, stays as it is.
constexpr char AsciiLower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

inline std::string AsciiLower(std::string_view text) {
    std::string out(text);
    for (char& c : out) {
        c = AsciiLower(c);
    }
    return out;
}

}  // namespace padrix
