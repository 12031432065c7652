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
// centre 32768. No range and no dead zone of our own: the kernel's flat region,
// which SDL applies, is the one the program relies on.
constexpr std::int32_t MapAxis(std::int16_t sdlValue) {
    return static_cast<std::int32_t>(sdlValue) + kAxisCentre;
}

// The directional pad of most current controllers is a hat, which the x and y
// axes do not see. A pressed hat direction counts as its axis at the extreme,
// as long as the stick leaves that axis at its centre.
void ApplyHat(std::uint8_t hat, JoyState& state);

// Fills the whole of `state` from SDL's current state of `joystick`: axes 0
// and 1 as x and y, the first hat, and one byte per button (0x80 pressed).
// Buttons the record has no room for are left out.
void ReadPad(SDL_Joystick* joystick, const PadShape& shape, JoyState& state);

}  // namespace padrix
