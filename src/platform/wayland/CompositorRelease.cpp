#include "platform/wayland/CompositorRelease.h"

#include <linux/input-event-codes.h>
#include <wayland-client.h>

#include <array>
#include <chrono>
#include <memory>
#include <utility>
#include <variant>

#include "platform/wayland/WaylandConnection.h"
#include "wlr-virtual-pointer-unstable-v1-client-protocol.h"

namespace padrix::wayland {

namespace {

constexpr std::chrono::seconds kAnswerWithin(2);

// X's button numbers, as the page has them, and the Linux codes they stand for.
constexpr std::array<std::pair<unsigned, std::uint32_t>, 3> kButtons = {
    {{1, BTN_LEFT}, {2, BTN_MIDDLE}, {3, BTN_RIGHT}}};

bool ReleaseWith(WaylandConnection& connection, zwlr_virtual_pointer_v1* pointer,
                 const HeldInputs& held) {
    // A move by nothing first: the window under the pointer has it again
    // where the seat lost its pointer with ours.
    zwlr_virtual_pointer_v1_motion(pointer, 0, 0, 0);
    zwlr_virtual_pointer_v1_frame(pointer);
    for (const auto& [number, code] : kButtons) {
        if (held.Button(number)) {
            zwlr_virtual_pointer_v1_button(pointer, 0, code, WL_POINTER_BUTTON_STATE_RELEASED);
            zwlr_virtual_pointer_v1_frame(pointer);
        }
    }
    return connection.Roundtrip();
}

}  // namespace

bool ReleaseButtonsThroughCompositor(const std::string& socketName, const HeldInputs& held) {
    auto opened = WaylandConnection::Open(socketName, kAnswerWithin);
    auto* connection = std::get_if<std::unique_ptr<WaylandConnection>>(&opened);
    if (connection == nullptr) {
        return false;
    }
    auto* seat = (*connection)->Bind<wl_seat>(wl_seat_interface, 1);
    auto* manager =
        (*connection)
            ->Bind<zwlr_virtual_pointer_manager_v1>(zwlr_virtual_pointer_manager_v1_interface, 1);
    bool released = false;
    if (seat != nullptr && manager != nullptr) {
        zwlr_virtual_pointer_v1* pointer =
            zwlr_virtual_pointer_manager_v1_create_virtual_pointer(manager, seat);
        released = ReleaseWith(**connection, pointer, held);
        zwlr_virtual_pointer_v1_destroy(pointer);
    }
    if (manager != nullptr) {
        zwlr_virtual_pointer_manager_v1_destroy(manager);
    }
    if (seat != nullptr) {
        wl_seat_destroy(seat);
    }
    return (*connection)->Roundtrip() && released;
}

}  // namespace padrix::wayland
