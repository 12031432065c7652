#include "platform/wayland/BoundedDispatch.h"

#include <poll.h>
#include <wayland-client.h>

#include <algorithm>
#include <cerrno>

#include "platform/wayland/WaylandConnection.h"

namespace padrix::wayland {

namespace {

int MillisecondsLeft(Deadline deadline) {
    const auto left =
        std::chrono::ceil<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    return static_cast<int>(std::clamp<std::chrono::milliseconds::rep>(left.count(), 0, 60'000));
}

}  // namespace

bool DispatchUntil(WaylandConnection& connection, const std::function<bool()>& done,
                   Deadline deadline) {
    while (true) {
        if (!connection.Dispatch()) {
            return false;
        }
        if (done()) {
            return true;
        }
        const int left = MillisecondsLeft(deadline);
        if (left == 0) {
            return false;
        }
        pollfd readable{connection.Descriptor(), POLLIN, 0};
        if (poll(&readable, 1, left) < 0 && errno != EINTR) {
            return false;
        }
    }
}

bool SyncUntil(WaylandConnection& connection, Deadline deadline) {
    static const wl_callback_listener listener = {
        .done = [](void* data, wl_callback*, std::uint32_t) { *static_cast<bool*>(data) = true; },
    };
    bool synced = false;
    wl_callback* callback = wl_display_sync(connection.display());
    wl_callback_add_listener(callback, &listener, &synced);
    const bool ok = DispatchUntil(
        connection, [&] { return synced; }, deadline);
    wl_callback_destroy(callback);
    return ok;
}

}  // namespace padrix::wayland
