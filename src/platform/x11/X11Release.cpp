#include "platform/x11/X11Release.h"

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>

namespace padrix::x11 {

bool ReleaseThroughXTest(const std::string& display, const HeldInputs& held) {
    Display* d = XOpenDisplay(display.c_str());
    if (d == nullptr) {
        return false;
    }
    for (unsigned keycode = 0; keycode < held.keycodes.size(); ++keycode) {
        if (held.Key(keycode)) {
            XTestFakeKeyEvent(d, keycode, False, CurrentTime);
        }
    }
    const bool buttonsHere = held.compositorButtons.load(std::memory_order_relaxed) == 0;
    for (unsigned button = 1; button < held.buttons.size() && buttonsHere; ++button) {
        if (held.Button(button)) {
            XTestFakeButtonEvent(d, button, False, CurrentTime);
        }
    }
    XSync(d, False);
    XCloseDisplay(d);
    return true;
}

}  // namespace padrix::x11
