#pragma once

#include "platform/keycodes/KeyLayout.h"

class QKeyEvent;

namespace padrix {

// The Windows virtual-key code of a key-down: the code that `layout` gives
// the physical key (the event's native scan code, an evdev keycode), so
// that the output presses that key again. The key labelled A gives 65 on
// any layout, the digit row 48 to 57, the keypad keys their own codes,
// either Shift, Ctrl or Alt the plain modifier. For a key the layout gives
// no code, or an event made by a program, the code comes from the event's
// keysym or else its Qt key; 0 for a key the program does not know.
int VirtualKeyOf(const QKeyEvent& event, const keycodes::KeyLayout& layout);

}  // namespace padrix
