#pragma once

#include <cstdint>
#include <string>

namespace padrix::vk {

// Windows virtual-key codes the engine itself names.
inline constexpr std::uint8_t Back = 8;
inline constexpr std::uint8_t Tab = 9;
inline constexpr std::uint8_t Return = 13;
inline constexpr std::uint8_t Shift = 16;
inline constexpr std::uint8_t Control = 17;
inline constexpr std::uint8_t Menu = 18;  // Alt
inline constexpr std::uint8_t Pause = 19;
inline constexpr std::uint8_t Capital = 20;  // Caps Lock
inline constexpr std::uint8_t Escape = 27;
inline constexpr std::uint8_t Space = 32;
inline constexpr std::uint8_t Prior = 33;  // Page Up
inline constexpr std::uint8_t Next = 34;   // Page Down
inline constexpr std::uint8_t End = 35;
inline constexpr std::uint8_t Home = 36;
inline constexpr std::uint8_t Left = 37;
inline constexpr std::uint8_t Up = 38;
inline constexpr std::uint8_t Right = 39;
inline constexpr std::uint8_t Down = 40;
inline constexpr std::uint8_t Snapshot = 44;  // Print Screen
inline constexpr std::uint8_t Insert = 45;
inline constexpr std::uint8_t Delete = 46;
inline constexpr std::uint8_t Numpad0 = 96;
inline constexpr std::uint8_t F1 = 112;
inline constexpr std::uint8_t F16 = 127;
inline constexpr std::uint8_t NumLock = 144;
inline constexpr std::uint8_t ScrollLock = 145;
inline constexpr std::uint8_t Cancel = 3;  // Break

// The short name the program shows for a key: letters and digits as
// themselves, a fixed English name for the keys it knows, and the empty text
// for every other code (Escape among them).
std::string Name(std::uint8_t code);

}  // namespace padrix::vk
