#pragma once

#include <memory>
#include <optional>

#include "platform/ActiveWindowWatch.h"
#include "platform/Backend.h"
#include "platform/WindowActivator.h"

namespace padrix::wayland {

// What the compositor's list of toplevels gives the program: activating a
// window by title, and following the active one.
struct WaylandWindows {
    std::unique_ptr<WindowActivator> activator;
    std::unique_ptr<ActiveWindowWatch> watch;
};

// Both on the compositor at env.waylandDisplay, each on a connection of its
// own; nothing where the compositor cannot be reached or offers no list.
std::optional<WaylandWindows> OpenWaylandWindows(const SessionEnvironment& env);

}  // namespace padrix::wayland
