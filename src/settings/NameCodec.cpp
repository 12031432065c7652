#include "settings/NameCodec.h"

namespace padrix {
namespace {

constexpr char kHex[] = "0123456789ABCDEF";

bool IsPlain(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' ||
           c == '.';
}

int HexValue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

}  // namespace

std::string EncodeName(std::string_view name) {
    if (name.empty()) {
        return "_";
    }
    std::string token;
    token.reserve(name.size());
    for (const char c : name) {
        if (IsPlain(c)) {
            token += c;
        } else {
            const auto b = static_cast<unsigned char>(c);
            token += '_';
            token += kHex[b >> 4];
            token += kHex[b & 0xF];
        }
    }
    return token;
}

std::optional<std::string> DecodeName(std::string_view token) {
    if (token == "_") {
        return std::string();
    }
    if (token.empty()) {
        return std::nullopt;
    }
    std::string name;
    for (std::size_t i = 0; i < token.size(); ++i) {
        if (IsPlain(token[i])) {
            name += token[i];
            continue;
        }
        if (token[i] != '_' || i + 2 >= token.size()) {
            return std::nullopt;
        }
        const int high = HexValue(token[i + 1]);
        const int low = HexValue(token[i + 2]);
        if (high < 0 || low < 0) {
            return std::nullopt;
        }
        name += static_cast<char>(high * 16 + low);
        i += 2;
    }
    // Only the one spelling EncodeName gives counts ("_41" is not "A").
    if (EncodeName(name) != token) {
        return std::nullopt;
    }
    return name;
}

}  // namespace padrix
