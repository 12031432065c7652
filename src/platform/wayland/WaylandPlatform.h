#pragma once

#include <string>
#include <variant>

#include "platform/Backend.h"

namespace padrix::wayland {

// Keys and mouse through the compositor at env.waylandDisplay: its virtual
// keyboard with the seat keyboard's keymap (which is also the layout) and
// its virtual pointer where offered, and the connection's events to handle.
// Otherwise why not: no Wayland display, or a compositor without the
// virtual keyboard.
std::variant<DesktopPlatform, std::string> OpenWaylandPlatform(const SessionEnvironment& env);

}  // namespace padrix::wayland
