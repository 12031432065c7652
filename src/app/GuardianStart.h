#pragma once

#include "platform/DisplayCheck.h"
#include "platform/Guardian.h"

namespace padrix {

// Starts the guardian of the output for the X and Wayland displays `names`
// gives, from beside the program or from its libexec folder; inert without
// a display or without the guardian program. Call first thing in main, before
// Qt and any thread exist. The uinput output needs no guardian: the kernel
// releases what a virtual device held when the device goes with the program.
Guardian StartGuardian(const DisplayNames& names);

}  // namespace padrix
