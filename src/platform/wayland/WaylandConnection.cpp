#include "platform/wayland/WaylandConnection.h"

#include <poll.h>
#include <wayland-client.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "platform/wayland/BoundedDispatch.h"

namespace padrix::wayland {

std::variant<std::unique_ptr<WaylandConnection>, std::string> WaylandConnection::Open(
    const std::string& socketName, std::chrono::milliseconds answerWithin) {
    wl_display* display = wl_display_connect(socketName.empty() ? nullptr : socketName.c_str());
    if (display == nullptr) {
        return "Cannot connect to the Wayland compositor" +
               (socketName.empty() ? std::string() : " at \"" + socketName + "\"") + ": " +
               std::strerror(errno) + ".";
    }
    std::unique_ptr<WaylandConnection> connection(new WaylandConnection(display, answerWithin));
    if (!connection->Roundtrip()) {
        return std::string(
                   "The Wayland compositor does not answer: it closed the connection or "
                   "said nothing for ") +
               std::to_string(answerWithin.count()) + " ms.";
    }
    return connection;
}

WaylandConnection::WaylandConnection(wl_display* display, std::chrono::milliseconds answerWithin)
    : display_(display), answerWithin_(answerWithin) {
    static const wl_registry_listener listener = {
        .global = &WaylandConnection::OnGlobal,
        .global_remove = &WaylandConnection::OnGlobalRemove,
    };
    registry_ = wl_display_get_registry(display_);
    wl_registry_add_listener(registry_, &listener, this);
}

WaylandConnection::~WaylandConnection() {
    if (registry_ != nullptr) {
        wl_registry_destroy(registry_);
    }
    wl_display_disconnect(display_);
}

int WaylandConnection::Descriptor() const {
    return wl_display_get_fd(display_);
}

const WaylandGlobal* WaylandConnection::Find(std::string_view interface) const {
    const auto found = std::find_if(globals_.begin(), globals_.end(), [&](const WaylandGlobal& g) {
        return g.interface == interface;
    });
    return found != globals_.end() ? &*found : nullptr;
}

void* WaylandConnection::Bind(const wl_interface& interface, std::uint32_t maxVersion) const {
    const WaylandGlobal* global = Find(interface.name);
    if (global == nullptr) {
        return nullptr;
    }
    return wl_registry_bind(registry_, global->name, &interface,
                            std::min(global->version, maxVersion));
}

bool WaylandConnection::Dispatch() {
    while (wl_display_prepare_read(display_) != 0) {
        if (wl_display_dispatch_pending(display_) < 0) {
            return false;
        }
    }
    Flush();
    pollfd readable{Descriptor(), POLLIN, 0};
    if (poll(&readable, 1, 0) == 1) {
        if (wl_display_read_events(display_) < 0) {
            return false;
        }
    } else {
        wl_display_cancel_read(display_);
    }
    return wl_display_dispatch_pending(display_) >= 0;
}

bool WaylandConnection::Roundtrip() {
    return SyncUntil(*this, std::chrono::steady_clock::now() + answerWithin_);
}

bool WaylandConnection::Flush() {
    // A full socket leaves the rest queued for the next call.
    return wl_display_flush(display_) >= 0 || errno == EAGAIN;
}

void WaylandConnection::OnGlobal(void* data, wl_registry*, std::uint32_t name,
                                 const char* interface, std::uint32_t version) {
    static_cast<WaylandConnection*>(data)->globals_.push_back({name, interface, version});
}

void WaylandConnection::OnGlobalRemove(void* data, wl_registry*, std::uint32_t name) {
    auto& globals = static_cast<WaylandConnection*>(data)->globals_;
    std::erase_if(globals, [name](const WaylandGlobal& g) { return g.name == name; });
}

}  // namespace padrix::wayland
