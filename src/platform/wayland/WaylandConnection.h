#pragma once

#include <chrono>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

struct wl_display;
struct wl_registry;
struct wl_interface;

namespace padrix::wayland {

// A global the compositor announced: an interface it offers.
struct WaylandGlobal {
    std::uint32_t name = 0;
    std::string interface;
    std::uint32_t version = 0;
};

// One connection of our own to the compositor, with the globals it offers.
// Each part of the backend keeps its own, so that none waits for another
// (or for the GUI's) and a descriptor of its own joins the wake-up set.
class WaylandConnection {
  public:
    // Connects to the compositor's socket `socketName` (WAYLAND_DISPLAY; the
    // default when empty) and learns its globals; else says why not. A
    // compositor that takes longer than `answerWithin` to answer any
    // roundtrip counts as gone.
    static std::variant<std::unique_ptr<WaylandConnection>, std::string> Open(
        const std::string& socketName,
        std::chrono::milliseconds answerWithin = std::chrono::seconds(5));
    ~WaylandConnection();
    WaylandConnection(const WaylandConnection&) = delete;
    WaylandConnection& operator=(const WaylandConnection&) = delete;

    wl_display* display() const { return display_; }
    int Descriptor() const;

    // The global of `interface`, or null where the compositor offers none.
    const WaylandGlobal* Find(std::string_view interface) const;
    // Binds the global of `interface` at the lower of its version and
    // `maxVersion`; null where it is not offered.
    void* Bind(const wl_interface& interface, std::uint32_t maxVersion) const;
    template <typename Proxy>
    Proxy* Bind(const wl_interface& interface, std::uint32_t maxVersion) const {
        return static_cast<Proxy*>(Bind(interface, maxVersion));
    }

    // Handles what the compositor sent, without waiting, and sends what is
    // queued. False once the connection is broken.
    bool Dispatch();
    // Sends what is queued and waits until the compositor has handled it
    // and every event it caused is handled. False once broken, or when the
    // compositor did not answer in time.
    bool Roundtrip();
    // Sends what is queued without waiting. False once broken.
    bool Flush();

  private:
    WaylandConnection(wl_display* display, std::chrono::milliseconds answerWithin);
    static void OnGlobal(void* data, wl_registry* registry, std::uint32_t name,
                         const char* interface, std::uint32_t version);
    static void OnGlobalRemove(void* data, wl_registry* registry, std::uint32_t name);

    wl_display* display_;
    std::chrono::milliseconds answerWithin_;
    wl_registry* registry_ = nullptr;
    std::vector<WaylandGlobal> globals_;
};

}  // namespace padrix::wayland
