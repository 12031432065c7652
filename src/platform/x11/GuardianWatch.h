#pragma once

#include <X11/Xlib.h>

#include <string>

#include "platform/HeldInputs.h"

namespace padrix::x11 {

// Lets go, through XTest, of every keycode and button `held` marks; nothing else.
void ReleaseHeld(Display* display, const HeldInputs& held);

// The guardian process: maps the page of held inputs from `pageFd`, waits
// until `endFd` reaches end-of-file and then, unless the program marked an
// orderly exit, opens the X display `display` and releases what the page
// still holds. Returns the process's exit status.
int RunGuardian(const std::string& display, int pageFd, int endFd);

}  // namespace padrix::x11
