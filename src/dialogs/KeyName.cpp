#include "dialogs/KeyName.h"

#include <array>
#include <optional>
#include <utility>

namespace padrix {
namespace {

constexpr std::array<std::pair<int, const char*>, 37> kNamedKeys{{
    {8, "Back"},     {9, "Tab"},      {13, "Enter"},  {16, "Shift"},   {17, "Ctrl"},
    {18, "Alt"},     {19, "Pause"},   {20, "Caps"},   {32, "Space"},   {33, "PgUp"},
    {34, "PgDn"},    {35, "End"},     {36, "Home"},   {37, "Left"},    {38, "Up"},
    {39, "Right"},   {40, "Down"},    {45, "Ins"},    {46, "Del"},     {106, "Gray *"},
    {107, "Gray +"}, {109, "Gray -"}, {110, "Num ."}, {111, "Gray /"}, {144, "NumLk"},
    {145, "ScrLk"},  {186, ";"},      {187, "="},     {188, ","},      {189, "-"},
    {190, "."},      {191, "/"},      {192, "`"},     {219, "["},      {220, "\\"},
    {221, "]"},      {222, "'"},
}};

bool Between(int code, int low, int high) {
    return code >= low && code <= high;
}

}  // namespace

std::string KeyName(int keyCode) {
    if (Between(keyCode, '0', '9') || Between(keyCode, 'A', 'Z')) {
        return std::string(1, static_cast<char>(keyCode));
    }
    if (Between(keyCode, 96, 105)) {
        std::string name("Num ");
        name += static_cast<char>('0' + keyCode - 96);
        return name;
    }
    if (Between(keyCode, 112, 127)) {
        std::string name("F");
        name.append(std::to_string(keyCode - 111));
        return name;
    }
    for (const auto& [code, name] : kNamedKeys) {
        if (code == keyCode) {
            return name;
        }
    }
    return {};
}

std::string KeyName(int keyCode, const keycodes::KeyLayout& layout) {
    if (keyCode > 0 && keyCode < 256) {
        if (std::optional<std::string> label = layout.LabelOf(static_cast<std::uint8_t>(keyCode))) {
            return *label;
        }
    }
    return KeyName(keyCode);
}

}  // namespace padrix
