#pragma once

class QKeyEvent;

namespace padrix {

// The Windows virtual-key code of a key-down, as the user's keyboard layout
// labels the key: the key labelled A gives 65 on any layout, the keypad keys
// their own codes, either Shift, Ctrl or Alt the plain modifier. Taken from
// the event's keysym where the platform gives one, else from the Qt key (for
// events made by a program); 0 for a key the program does not know.
int VirtualKeyOf(const QKeyEvent& event);

}  // namespace padrix
