#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace padrix {

// One key event of a parsed keystroke string.
struct Keystroke {
    std::uint8_t vk = 0;
    bool up = false;
    friend bool operator==(const Keystroke&, const Keystroke&) = default;
};

// Parses the keystroke-string notation ("%(E){Up}~") into the key events
// that type it on a US layout:
//   + ^ %      Shift, Ctrl, Alt for the next character or (group)
//   ~          Enter
//   {Name}     a named key, case-insensitive ({Up}, {PgDn}, {F12} ...)
//   {x}        the literal character x, also + ^ % ~ ( ) { }
//   {Name n}   the key n times
// Returns nothing for a malformed string. Every modifier pressed is
// released again within the result.
std::optional<std::vector<Keystroke>> ParseKeystrokes(std::string_view text);

}  // namespace padrix
