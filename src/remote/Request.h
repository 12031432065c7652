#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <variant>

#include "session/Layouts.h"

namespace padrix {

// What a command line asks of the running Padrix, one request per line:
//   profile NAME | layout snes9x|vgs|custom | mapping on|off|toggle | status | quit
// Keywords are lower-case ASCII, separated by one space; NAME is the rest of
// the line, UTF-8 text without control characters.
struct ProfileRequest {
    std::string name;
    bool operator==(const ProfileRequest&) const = default;
};
struct LayoutRequest {
    Layout layout;
    bool operator==(const LayoutRequest&) const = default;
};
enum class MappingChange { On, Off, Toggle };
struct MappingRequest {
    MappingChange change;
    bool operator==(const MappingRequest&) const = default;
};
struct StatusRequest {
    bool operator==(const StatusRequest&) const = default;
};
struct QuitRequest {
    bool operator==(const QuitRequest&) const = default;
};
using Request =
    std::variant<ProfileRequest, LayoutRequest, MappingRequest, StatusRequest, QuitRequest>;

// Why a line is no request, as one line of text.
struct RequestError {
    std::string text;
};

// The longest request line, its newline not counted.
inline constexpr std::size_t kMaxRequestBytes = 1024;

// `line` without its newline.
std::variant<Request, RequestError> ParseRequest(std::string_view line);
// The line, without newline, that ParseRequest reads back as `request`.
std::string FormatRequest(const Request& request);

std::string_view LayoutName(Layout layout);

}  // namespace padrix
