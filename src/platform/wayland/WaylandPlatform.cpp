#include "platform/wayland/WaylandPlatform.h"

#include <memory>
#include <utility>

#include "platform/DesktopEvents.h"
#include "platform/wayland/SeatKeymap.h"
#include "platform/wayland/WaylandConnection.h"
#include "platform/wayland/WaylandOutput.h"
#include "virtual-keyboard-unstable-v1-client-protocol.h"
#include "wlr-virtual-pointer-unstable-v1-client-protocol.h"

namespace padrix::wayland {

namespace {

constexpr std::uint32_t kKeyboardManagerVersion = 1;
constexpr std::uint32_t kPointerManagerVersion = 1;

class ConnectionEvents : public DesktopEvents {
  public:
    explicit ConnectionEvents(std::shared_ptr<WaylandConnection> connection)
        : connection_(std::move(connection)) {}
    int Descriptor() const override { return connection_->Descriptor(); }
    bool Handle() override { return connection_->Dispatch(); }

  private:
    std::shared_ptr<WaylandConnection> connection_;
};

}  // namespace

std::variant<DesktopPlatform, std::string> OpenWaylandPlatform(const SessionEnvironment& env) {
    if (env.waylandDisplay.empty()) {
        return std::string("There is no Wayland display (WAYLAND_DISPLAY is not set).");
    }
    auto opened = WaylandConnection::Open(env.waylandDisplay);
    if (auto* why = std::get_if<std::string>(&opened)) {
        return *why;
    }
    std::shared_ptr<WaylandConnection> connection =
        std::get<std::unique_ptr<WaylandConnection>>(std::move(opened));
    if (connection->Find(zwp_virtual_keyboard_manager_v1_interface.name) == nullptr) {
        return std::string(
            "The Wayland compositor offers no virtual keyboard "
            "(protocol zwp_virtual_keyboard_manager_v1), through which Padrix sends keys.");
    }
    auto keymap = std::make_shared<SeatKeymap>(connection);
    if (keymap->seat() == nullptr) {
        return std::string("The Wayland compositor has no seat to send keys to.");
    }
    if (!keymap->HasKeymap()) {
        return std::string(
            "xkbcommon cannot build a keymap: the keyboard descriptions (xkb-data) are missing.");
    }
    // The seat says it has a keyboard, then that keyboard's keymap comes.
    connection->Roundtrip();
    connection->Roundtrip();
    DesktopPlatform platform;
    platform.backend = OutputBackend::kWayland;
    platform.output = std::make_unique<WaylandOutput>(
        connection, keymap,
        connection->Bind<zwp_virtual_keyboard_manager_v1>(zwp_virtual_keyboard_manager_v1_interface,
                                                          kKeyboardManagerVersion),
        connection->Bind<zwlr_virtual_pointer_manager_v1>(zwlr_virtual_pointer_manager_v1_interface,
                                                          kPointerManagerVersion),
        env.heldInputs);
    // A compositor that refuses us the keyboard ends the connection. Where
    // ours is the seat's first keyboard, the seat now has one, whose keymap
    // comes next.
    if (!connection->Roundtrip() || !connection->Roundtrip()) {
        return std::string("The Wayland compositor refused Padrix a virtual keyboard.");
    }
    platform.layout = std::move(keymap);
    platform.events = std::make_unique<ConnectionEvents>(std::move(connection));
    return platform;
}

}  // namespace padrix::wayland
