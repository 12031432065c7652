#include "Request.h"

#include <array>
#include <utility>

namespace padrix {
namespace {

constexpr std::array<std::pair<std::string_view, Layout>, 3> kLayouts{{
    {"snes9x", Layout::Snes9x},
    {"vgs", Layout::Vgs},
    {"custom", Layout::Custom},
}};
constexpr std::array<std::pair<std::string_view, MappingChange>, 3> kMappingChanges{{
    {"on", MappingChange::On},
    {"off", MappingChange::Off},
    {"toggle", MappingChange::Toggle},
}};

// Bytes a name may not hold: C0 controls and DEL.
bool IsControl(unsigned char c) {
    return c < 0x20 || c == 0x7f;
}

// Well-formed UTF-8: no overlong forms, no surrogates, nothing above U+10FFFF.
bool IsUtf8(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size()) {
        const auto c = static_cast<unsigned char>(text[i]);
        std::size_t length = 0;
        unsigned char low = 0x80;
        unsigned char high = 0xbf;
        if (c < 0x80) {
            ++i;
            continue;
        }
        if (c >= 0xc2 && c <= 0xdf) {
            length = 2;
        } else if (c >= 0xe0 && c <= 0xef) {
            length = 3;
            low = c == 0xe0 ? 0xa0 : 0x80;
            high = c == 0xed ? 0x9f : 0xbf;
        } else if (c >= 0xf0 && c <= 0xf4) {
            length = 4;
            low = c == 0xf0 ? 0x90 : 0x80;
            high = c == 0xf4 ? 0x8f : 0xbf;
        } else {
            return false;
        }
        if (text.size() - i < length) {
            return false;
        }
        for (std::size_t k = 1; k < length; ++k) {
            const auto next = static_cast<unsigned char>(text[i + k]);
            const unsigned char min = k == 1 ? low : 0x80;
            const unsigned char max = k == 1 ? high : 0xbf;
            if (next < min || next > max) {
                return false;
            }
        }
        i += length;
    }
    return true;
}

template <typename Table>
auto Lookup(const Table& table, std::string_view word) -> decltype(&table[0].second) {
    for (const auto& [name, value] : table) {
        if (name == word) {
            return &value;
        }
    }
    return nullptr;
}

// The word, cut to a length that a message can show.
std::string Shown(std::string_view word) {
    constexpr std::size_t kShownBytes = 40;
    std::string shown;
    for (const char c : word.substr(0, kShownBytes)) {
        shown += IsControl(static_cast<unsigned char>(c)) || (c & 0x80) != 0 ? '?' : c;
    }
    return word.size() > kShownBytes ? shown + "..." : shown;
}

RequestError Error(std::string text) {
    return {std::move(text)};
}

std::variant<Request, RequestError> ParseProfile(std::string_view name) {
    if (name.empty()) {
        return Error("The profile name is empty.");
    }
    if (!IsUtf8(name)) {
        return Error("The profile name is not UTF-8 text.");
    }
    for (const char c : name) {
        if (IsControl(static_cast<unsigned char>(c))) {
            return Error("The profile name holds a control character.");
        }
    }
    return ProfileRequest{std::string(name)};
}

}  // namespace

std::variant<Request, RequestError> ParseRequest(std::string_view line) {
    if (line.size() > kMaxRequestBytes) {
        return Error("The request is longer than " + std::to_string(kMaxRequestBytes) + " bytes.");
    }
    const std::size_t space = line.find(' ');
    const std::string_view keyword = line.substr(0, space);
    const bool hasArgument = space != std::string_view::npos;
    const std::string_view argument = hasArgument ? line.substr(space + 1) : std::string_view{};
    if (keyword == "status" || keyword == "quit") {
        if (hasArgument) {
            // Appended, not `"'" + std::string(...)`: GCC 12 warns falsely on that at -O3.
            std::string text = "'";
            text.append(keyword).append("' takes no value.");
            return Error(text);
        }
        return keyword == "status" ? Request{StatusRequest{}} : Request{QuitRequest{}};
    }
    if (keyword == "profile") {
        return ParseProfile(argument);
    }
    if (keyword == "layout") {
        if (const Layout* layout = Lookup(kLayouts, argument)) {
            return LayoutRequest{*layout};
        }
        return Error("Unknown layout '" + Shown(argument) + "'; use snes9x, vgs or custom.");
    }
    if (keyword == "mapping") {
        if (const MappingChange* change = Lookup(kMappingChanges, argument)) {
            return MappingRequest{*change};
        }
        return Error("Unknown mapping state '" + Shown(argument) + "'; use on, off or toggle.");
    }
    return Error("Unknown request '" + Shown(keyword) + "'.");
}

std::string_view LayoutName(Layout layout) {
    for (const auto& [name, value] : kLayouts) {
        if (value == layout) {
            return name;
        }
    }
    return "custom";
}

std::string FormatRequest(const Request& request) {
    struct Format {
        std::string operator()(const ProfileRequest& r) const { return "profile " + r.name; }
        std::string operator()(const LayoutRequest& r) const {
            return "layout " + std::string(LayoutName(r.layout));
        }
        std::string operator()(const MappingRequest& r) const {
            for (const auto& [name, value] : kMappingChanges) {
                if (value == r.change) {
                    return "mapping " + std::string(name);
                }
            }
            return "mapping toggle";
        }
        std::string operator()(const StatusRequest&) const { return "status"; }
        std::string operator()(const QuitRequest&) const { return "quit"; }
    };
    return std::visit(Format{}, request);
}

}  // namespace padrix
