#pragma once

#include <string>

#include "platform/HeldInputs.h"

namespace padrix::wayland {

// Lets go, through a virtual pointer of its own on the compositor at
// `socketName`, of the pointer buttons `held` marks: a compositor keeps the
// buttons of a virtual pointer whose client is gone held. False when the
// compositor cannot be reached or offers no virtual pointer.
bool ReleaseButtonsThroughCompositor(const std::string& socketName, const HeldInputs& held);

}  // namespace padrix::wayland
