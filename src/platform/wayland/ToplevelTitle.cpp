#include "platform/wayland/ToplevelTitle.h"

namespace padrix::wayland {

namespace {

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";

bool IsContinuation(unsigned char c) {
    return (c & 0xC0) == 0x80;
}

// The length of the valid UTF-8 character at the start of `s`, 0 if there is
// none: no overlong forms, no surrogates, nothing past U+10FFFF.
std::size_t CharacterLength(std::string_view s) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(s[i]); };
    const unsigned char lead = byte(0);
    if (lead < 0x80) {
        return 1;
    }
    std::size_t length = 0;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        low = lead == 0xE0 ? 0xA0 : 0x80;
        high = lead == 0xED ? 0x9F : 0xBF;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        low = lead == 0xF0 ? 0x90 : 0x80;
        high = lead == 0xF4 ? 0x8F : 0xBF;
    } else {
        return 0;
    }
    if (s.size() < length || byte(1) < low || byte(1) > high) {
        return 0;
    }
    for (std::size_t i = 2; i < length; ++i) {
        if (!IsContinuation(byte(i))) {
            return 0;
        }
    }
    return length;
}

}  // namespace

std::string BoundedTitle(std::string_view sent) {
    std::string title;
    while (!sent.empty()) {
        const std::size_t length = CharacterLength(sent);
        const std::string_view piece = length > 0 ? sent.substr(0, length) : kReplacement;
        if (title.size() + piece.size() > kMaxTitleBytes) {
            break;
        }
        title += piece;
        sent.remove_prefix(length > 0 ? length : 1);
    }
    return title;
}

}  // namespace padrix::wayland
