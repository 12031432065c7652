#pragma once

#include <QString>

namespace padrix {

// Auto configuration asks the four directions, then the controller's buttons
// in their own order; at most 24 steps.
inline constexpr int kAutoConfigSteps = 24;

// The pad button (the slot it fills) asked at step (0-based) and what the prompt
// calls it: "Up" ... "Right", then "Button 1" to "Button 20".
int AutoConfigIndex(int step);
QString AutoConfigText(int step);

// How many steps a pad with buttonCount buttons is asked: the four
// directions and each of its buttons, at least the 14 of a ten-button pad.
int AutoConfigStepCount(int buttonCount);

}  // namespace padrix
