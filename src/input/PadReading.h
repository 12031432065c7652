#pragma once

#include <SDL_joystick.h>

#include <cstdint>

#include "engine/JoyState.h"

namespace padrix {

// The parts of a controller that a reading uses, as counted when it was opened.
struct PadShape {
    int axes = 0;
    int buttons = 0;
    int hats = 0;

    static PadShape Of(SDL_Joystick* joystick);
};

// SDL's axis range -32768..32767 onto 0..65535, SDL's 0 becoming exactly the
// centre 32768.
constexpr std::int32_t MapAxis(std::int16_t sdlValue) {
    return static_cast<std::int32_t>(sdlValue) + kAxisCentre;
}

// An analog stick rarely rests at the exact centre. Within `percent` (0 to
// 100) of the half range around it an axis reads as exactly the centre;
// outside it the value passes unchanged. 0 keeps only the exact centre; the
// ends, which is all a digital pad reports, stay outside below 100.
constexpr std::int32_t ApplyDeadZone(std::int32_t value, int percent) {
    const std::int64_t offset = value >= kAxisCentre ? value - kAxisCentre : kAxisCentre - value;
    const std::int64_t zone = percent < 0 ? 0 : percent > 100 ? 100 : percent;
    return offset * 100 <= zone * kAxisCentre ? kAxisCentre : value;
}

// The directional pad of most current controllers is a hat, which the x and y
// axes do not see. A pressed hat direction counts as its axis at the extreme,
// as long as the stick leaves that axis at its centre (its dead zone).
void ApplyHat(std::uint8_t hat, JoyState& state);

// Fills the whole of `state` from SDL's current state of `joystick`: axes 0
// and 1 as x and y within their dead zone of `deadZone` percent, the first
// hat, and one byte per button (0x80 pressed). Buttons the record has no
// room for are left out.
void ReadPad(SDL_Joystick* joystick, const PadShape& shape, int deadZone, JoyState& state);

}  // namespace padrix
