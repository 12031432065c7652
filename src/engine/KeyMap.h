#pragma once

#include <array>
#include <cstdint>

namespace padrix {

inline constexpr int kMaxJoypads = 8;
inline constexpr int kExtraButtons = 11;
inline constexpr int kHeldButtons = 24;   // buttons 0 to 23 have held flags
inline constexpr int kKeyedButtons = 21;  // buttons 0 to 20 have a key

// Directions, in the order of the held-flag table.
enum Direction : int { kLeft = 0, kRight = 1, kUp = 2, kDown = 3 };

// The key of every pad button of one joypad, as Windows virtual-key codes.
struct KeyMap {
    std::uint8_t Left = 0;
    std::uint8_t Down = 0;
    std::uint8_t Right = 0;
    std::uint8_t Up = 0;
    std::uint8_t A = 0;
    std::uint8_t B = 0;
    std::uint8_t C = 0;
    std::uint8_t Z = 0;
    std::uint8_t L = 0;
    std::uint8_t X = 0;
    std::uint8_t R = 0;
    std::uint8_t Y = 0;
    std::uint8_t Select = 0;
    std::uint8_t Start = 0;
    std::array<std::uint8_t, kExtraButtons> Extra{};
    std::uint8_t EscapeKey = 0;

    friend bool operator==(const KeyMap&, const KeyMap&) = default;
};

}  // namespace padrix
