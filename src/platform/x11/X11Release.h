#pragma once

#include <string>

#include "platform/HeldInputs.h"

namespace padrix::x11 {

// Lets go, through XTest on the X display `display`, of every keycode `held`
// marks and, unless they went down through the compositor, of every button;
// nothing else. False when the display does not open.
bool ReleaseThroughXTest(const std::string& display, const HeldInputs& held);

}  // namespace padrix::x11
