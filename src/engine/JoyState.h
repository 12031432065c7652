#pragma once

#include <array>
#include <cstdint>

namespace padrix {

// The axis value that means "centred". It is the only centre: 32767 already
// counts as left/up and 32769 as right/down.
inline constexpr std::int32_t kAxisCentre = 32768;
inline constexpr std::int32_t kAxisMax = 65535;
inline constexpr int kJoyStateButtons = 128;

// One controller reading, shared by all joypads and overwritten by each read.
// Axes run from 0 to 65535; a button counts as pressed when its byte is non-zero.
struct JoyState {
    std::int32_t x = kAxisCentre;
    std::int32_t y = kAxisCentre;
    std::array<std::uint8_t, kJoyStateButtons> buttons{};

    // A joypad at rest: both axes centred and no button pressed.
    static JoyState AtRest() { return JoyState{}; }
};

}  // namespace padrix
