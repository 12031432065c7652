#pragma once

#include <chrono>
#include <functional>

namespace padrix::wayland {

class WaylandConnection;

using Deadline = std::chrono::steady_clock::time_point;

// Handles the compositor's events, waiting on the connection's descriptor,
// until `done` holds. False when the deadline passed first or the
// connection broke: a compositor that stops answering never holds us up.
bool DispatchUntil(WaylandConnection& connection, const std::function<bool()>& done,
                   Deadline deadline);

// Waits until the compositor has handled every request sent so far and the
// events they caused are handled, within the deadline.
bool SyncUntil(WaylandConnection& connection, Deadline deadline);

}  // namespace padrix::wayland
