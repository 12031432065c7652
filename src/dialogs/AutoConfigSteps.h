#pragma once

namespace padrix {

// Auto configuration asks the four directions (Up, Down, Left, Right), then
// the controller's buttons in their own order; at most 24 steps.
inline constexpr int kAutoConfigDirections = 4;
inline constexpr int kAutoConfigSteps = 24;

// The pad button (the slot it fills) asked at step (0-based).
int AutoConfigIndex(int step);

// How many steps a pad with buttonCount buttons is asked: the four
// directions and each of its buttons, at least the 14 of a ten-button pad.
int AutoConfigStepCount(int buttonCount);

}  // namespace padrix
