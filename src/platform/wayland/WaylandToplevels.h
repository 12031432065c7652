#pragma once

#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "platform/wayland/WaylandConnection.h"

struct wl_array;
struct wl_output;
struct wl_seat;
struct zwlr_foreign_toplevel_handle_v1;
struct zwlr_foreign_toplevel_manager_v1;

namespace padrix::wayland {

// One toplevel as the compositor last described it completely.
struct Toplevel {
    // Stays the same for the toplevel's life and is never used again.
    std::uint64_t id = 0;
    std::string title;
    std::string appId;
    bool activated = false;
};

// The compositor's list of toplevels (wlr foreign toplevel management) on a
// connection of its own. Started, it follows every toplevel's title, app id
// and activated state; stopped, the compositor sends it nothing about them.
// Toplevels that close and a list that the compositor ends are harmless: they
// only leave the list. A broken connection leaves a descriptor that is never
// readable, and is made again when the list is asked for.
class WaylandToplevels {
  public:
    // Connects to the compositor's socket `socketName` (the default when
    // empty); else says why not.
    static std::variant<std::unique_ptr<WaylandToplevels>, std::string> Open(
        const std::string& socketName);
    ~WaylandToplevels();
    WaylandToplevels(const WaylandToplevels&) = delete;
    WaylandToplevels& operator=(const WaylandToplevels&) = delete;

    // Whether the compositor offers the list (and has not ended it).
    bool Offered() const;
    int Descriptor() const { return connection_->Descriptor(); }

    // Asks for the list and learns every toplevel now; false where the
    // compositor offers none or the connection is broken.
    bool Start();
    void Stop();
    bool started() const { return manager_ != nullptr; }

    // Handles what arrived, without waiting. False once the connection is
    // broken.
    bool Dispatch();
    // Connects again after the connection broke; whether it is whole.
    bool Reconnect();

    // The toplevels, in the order the compositor announced them.
    std::vector<Toplevel> List() const;
    std::optional<Toplevel> Active() const;

    // Asks the compositor to activate toplevel `id`, with the keyboard focus
    // of its seat, and waits until it is active, at most `wait`. Whether it
    // became active.
    bool Activate(std::uint64_t id, std::chrono::milliseconds wait);

  private:
    struct Handle;

    WaylandToplevels(std::unique_ptr<WaylandConnection> connection, std::string socketName);
    void Broke();
    Handle* Find(std::uint64_t id) const;
    void Forget(Handle* handle);
    // Lets go of the list and of every toplevel in it.
    void Release();

    static void OnToplevel(void* data, zwlr_foreign_toplevel_manager_v1* manager,
                           zwlr_foreign_toplevel_handle_v1* toplevel);
    static void OnFinished(void* data, zwlr_foreign_toplevel_manager_v1* manager);
    static void OnTitle(void* data, zwlr_foreign_toplevel_handle_v1* toplevel, const char* title);
    static void OnAppId(void* data, zwlr_foreign_toplevel_handle_v1* toplevel, const char* appId);
    static void OnOutput(void* data, zwlr_foreign_toplevel_handle_v1* toplevel, wl_output* output);
    static void OnState(void* data, zwlr_foreign_toplevel_handle_v1* toplevel, wl_array* state);
    static void OnDone(void* data, zwlr_foreign_toplevel_handle_v1* toplevel);
    static void OnClosed(void* data, zwlr_foreign_toplevel_handle_v1* toplevel);
    static void OnParent(void* data, zwlr_foreign_toplevel_handle_v1* toplevel,
                         zwlr_foreign_toplevel_handle_v1* parent);

    std::unique_ptr<WaylandConnection> connection_;
    std::string socketName_;
    bool broken_ = false;
    zwlr_foreign_toplevel_manager_v1* manager_ = nullptr;
    wl_seat* seat_ = nullptr;
    std::vector<std::unique_ptr<Handle>> handles_;
    std::uint64_t nextId_ = 1;
    bool endedByCompositor_ = false;
};

}  // namespace padrix::wayland
