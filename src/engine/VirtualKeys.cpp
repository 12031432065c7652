#include "VirtualKeys.h"

#include <array>
#include <utility>

namespace padrix::vk {
namespace {

constexpr std::array<std::pair<std::uint8_t, std::string_view>, 37> kNamedKeys{{
    {Back, "Back"},     {Tab, "Tab"},
    {Return, "Enter"},  {Shift, "Shift"},
    {Control, "Ctrl"},  {Menu, "Alt"},
    {Pause, "Pause"},   {Capital, "Caps"},
    {Space, "Space"},   {Prior, "PgUp"},
    {Next, "PgDn"},     {End, "End"},
    {Home, "Home"},     {Left, "Left"},
    {Up, "Up"},         {Right, "Right"},
    {Down, "Down"},     {Insert, "Ins"},
    {Delete, "Del"},    {106, "Gray *"},
    {107, "Gray +"},    {109, "Gray -"},
    {110, "Num ."},     {111, "Gray /"},
    {NumLock, "NumLk"}, {ScrollLock, "ScrLk"},
    {186, ";"},         {187, "="},
    {188, ","},         {189, "-"},
    {190, "."},         {191, "/"},
    {192, "`"},         {219, "["},
    {220, "\\"},        {221, "]"},
    {222, "'"},
}};

bool Between(int code, int low, int high) {
    return code >= low && code <= high;
}

}  // namespace

std::string Name(std::uint8_t code) {
    if (Between(code, '0', '9') || Between(code, 'A', 'Z')) {
        return std::string(1, static_cast<char>(code));
    }
    if (Between(code, Numpad0, Numpad0 + 9)) {
        std::string name("Num ");
        name += static_cast<char>('0' + code - Numpad0);
        return name;
    }
    if (Between(code, F1, F16)) {
        std::string name("F");
        name.append(std::to_string(code - F1 + 1));
        return name;
    }
    for (const auto& [named, name] : kNamedKeys) {
        if (named == code) {
            return std::string(name);
        }
    }
    return {};
}

}  // namespace padrix::vk
