#include "input/PadReading.h"

#include <algorithm>
#include <cstddef>

namespace padrix {
namespace {

constexpr std::uint8_t kPressed = 0x80;

std::int32_t AxisOrCentre(SDL_Joystick* joystick, const PadShape& shape, int axis, int deadZone) {
    return axis < shape.axes ? ApplyDeadZone(MapAxis(SDL_JoystickGetAxis(joystick, axis)), deadZone)
                             : kAxisCentre;
}

}  // namespace

PadShape PadShape::Of(SDL_Joystick* joystick) {
    // SDL reports -1 for a count it cannot give.
    PadShape shape;
    shape.axes = std::max(SDL_JoystickNumAxes(joystick), 0);
    shape.buttons = std::max(SDL_JoystickNumButtons(joystick), 0);
    shape.hats = std::max(SDL_JoystickNumHats(joystick), 0);
    return shape;
}

void ApplyHat(std::uint8_t hat, JoyState& state) {
    if (state.x == kAxisCentre) {
        if ((hat & SDL_HAT_LEFT) != 0) {
            state.x = 0;
        } else if ((hat & SDL_HAT_RIGHT) != 0) {
            state.x = kAxisMax;
        }
    }
    if (state.y == kAxisCentre) {
        if ((hat & SDL_HAT_UP) != 0) {
            state.y = 0;
        } else if ((hat & SDL_HAT_DOWN) != 0) {
            state.y = kAxisMax;
        }
    }
}

void ReadPad(SDL_Joystick* joystick, const PadShape& shape, int deadZone, JoyState& state) {
    state.x = AxisOrCentre(joystick, shape, 0, deadZone);
    state.y = AxisOrCentre(joystick, shape, 1, deadZone);
    if (shape.hats > 0) {
        ApplyHat(SDL_JoystickGetHat(joystick, 0), state);
    }
    const int buttons = std::min(shape.buttons, kJoyStateButtons);
    for (int b = 0; b < buttons; ++b) {
        state.buttons[static_cast<std::size_t>(b)] =
            SDL_JoystickGetButton(joystick, b) != 0 ? kPressed : 0;
    }
    std::fill(state.buttons.begin() + buttons, state.buttons.end(), std::uint8_t{0});
}

}  // namespace padrix
