#include "platform/wayland/WaylandToplevels.h"

#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>
#include <wayland-client.h>

#include <algorithm>

#include "platform/wayland/ToplevelTitle.h"
#include "wlr-foreign-toplevel-management-unstable-v1-client-protocol.h"

namespace padrix::wayland {

namespace {

constexpr std::uint32_t kManagerVersion = 3;
// wl_seat.release came with version 5.
constexpr std::uint32_t kSeatVersion = 5;

}  // namespace

// One toplevel's object: what arrived since the last `done`, and the state
// that `done` completed.
struct WaylandToplevels::Handle {
    WaylandToplevels* owner = nullptr;
    zwlr_foreign_toplevel_handle_v1* proxy = nullptr;
    Toplevel pending;
    Toplevel state;
    bool complete = false;
};

std::variant<std::unique_ptr<WaylandToplevels>, std::string> WaylandToplevels::Open(
    const std::string& socketName) {
    auto opened = WaylandConnection::Open(socketName);
    if (auto* why = std::get_if<std::string>(&opened)) {
        return *why;
    }
    return std::unique_ptr<WaylandToplevels>(new WaylandToplevels(
        std::get<std::unique_ptr<WaylandConnection>>(std::move(opened)), socketName));
}

WaylandToplevels::WaylandToplevels(std::unique_ptr<WaylandConnection> connection,
                                   std::string socketName)
    : connection_(std::move(connection)), socketName_(std::move(socketName)) {}

WaylandToplevels::~WaylandToplevels() {
    Release();
}

bool WaylandToplevels::Offered() const {
    return !broken_ && !endedByCompositor_ &&
           connection_->Find(zwlr_foreign_toplevel_manager_v1_interface.name) != nullptr;
}

bool WaylandToplevels::Start() {
    if (manager_ != nullptr) {
        return true;
    }
    // The compositor may have announced or withdrawn the list meanwhile.
    if (!Reconnect() || !Dispatch() || !Offered()) {
        return false;
    }
    static const zwlr_foreign_toplevel_manager_v1_listener listener = {
        .toplevel = &WaylandToplevels::OnToplevel,
        .finished = &WaylandToplevels::OnFinished,
    };
    manager_ = connection_->Bind<zwlr_foreign_toplevel_manager_v1>(
        zwlr_foreign_toplevel_manager_v1_interface, kManagerVersion);
    zwlr_foreign_toplevel_manager_v1_add_listener(manager_, &listener, this);
    seat_ = connection_->Bind<wl_seat>(wl_seat_interface, kSeatVersion);
    // The compositor describes every toplevel as it answers the binding.
    if (!connection_->Roundtrip()) {
        Broke();
        return false;
    }
    return manager_ != nullptr;
}

void WaylandToplevels::Stop() {
    if (manager_ != nullptr) {
        zwlr_foreign_toplevel_manager_v1_stop(manager_);
    }
    // What the compositor still sends about them is dropped unread.
    Release();
    connection_->Flush();
}

void WaylandToplevels::Release() {
    for (const auto& handle : handles_) {
        zwlr_foreign_toplevel_handle_v1_destroy(handle->proxy);
    }
    handles_.clear();
    if (manager_ != nullptr) {
        zwlr_foreign_toplevel_manager_v1_destroy(manager_);
        manager_ = nullptr;
    }
    if (seat_ != nullptr) {
        if (wl_seat_get_version(seat_) >= WL_SEAT_RELEASE_SINCE_VERSION) {
            wl_seat_release(seat_);
        } else {
            wl_seat_destroy(seat_);
        }
        seat_ = nullptr;
    }
}

bool WaylandToplevels::Dispatch() {
    if (!broken_ && !connection_->Dispatch()) {
        Broke();
    }
    return !broken_;
}

void WaylandToplevels::Broke() {
    broken_ = true;
    Release();
    // A hung-up socket is readable for ever: put a descriptor that never is
    // in its place, so that whoever waits on it is not woken again and again.
    const int quiet = eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    if (quiet >= 0) {
        dup2(quiet, connection_->Descriptor());
        close(quiet);
    }
}

bool WaylandToplevels::Reconnect() {
    if (!broken_) {
        return true;
    }
    auto opened = WaylandConnection::Open(socketName_);
    if (auto* connection = std::get_if<std::unique_ptr<WaylandConnection>>(&opened)) {
        connection_ = std::move(*connection);
        broken_ = false;
        endedByCompositor_ = false;
    }
    return !broken_;
}

std::vector<Toplevel> WaylandToplevels::List() const {
    std::vector<Toplevel> list;
    for (const auto& handle : handles_) {
        if (handle->complete) {
            list.push_back(handle->state);
        }
    }
    return list;
}

std::optional<Toplevel> WaylandToplevels::Active() const {
    for (const auto& handle : handles_) {
        if (handle->complete && handle->state.activated) {
            return handle->state;
        }
    }
    return std::nullopt;
}

bool WaylandToplevels::Activate(std::uint64_t id, std::chrono::milliseconds wait) {
    Handle* handle = Find(id);
    if (handle == nullptr || seat_ == nullptr) {
        return false;
    }
    zwlr_foreign_toplevel_handle_v1_activate(handle->proxy, seat_);
    const auto deadline = std::chrono::steady_clock::now() + wait;
    while (Dispatch()) {
        handle = Find(id);
        if (handle == nullptr) {
            return false;
        }
        if (handle->state.activated) {
            return true;
        }
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) {
            return false;
        }
        pollfd readable{Descriptor(), POLLIN, 0};
        poll(&readable, 1, static_cast<int>(left.count()) + 1);
    }
    return false;
}

WaylandToplevels::Handle* WaylandToplevels::Find(std::uint64_t id) const {
    const auto found = std::find_if(handles_.begin(), handles_.end(),
                                    [id](const auto& handle) { return handle->state.id == id; });
    return found != handles_.end() ? found->get() : nullptr;
}

void WaylandToplevels::Forget(Handle* handle) {
    zwlr_foreign_toplevel_handle_v1_destroy(handle->proxy);
    std::erase_if(handles_, [handle](const auto& h) { return h.get() == handle; });
}

void WaylandToplevels::OnToplevel(void* data, zwlr_foreign_toplevel_manager_v1*,
                                  zwlr_foreign_toplevel_handle_v1* toplevel) {
    static const zwlr_foreign_toplevel_handle_v1_listener listener = {
        .title = &WaylandToplevels::OnTitle,
        .app_id = &WaylandToplevels::OnAppId,
        .output_enter = &WaylandToplevels::OnOutput,
        .output_leave = &WaylandToplevels::OnOutput,
        .state = &WaylandToplevels::OnState,
        .done = &WaylandToplevels::OnDone,
        .closed = &WaylandToplevels::OnClosed,
        .parent = &WaylandToplevels::OnParent,
    };
    auto* self = static_cast<WaylandToplevels*>(data);
    auto handle = std::make_unique<Handle>();
    handle->owner = self;
    handle->proxy = toplevel;
    handle->pending.id = self->nextId_++;
    handle->state.id = handle->pending.id;
    zwlr_foreign_toplevel_handle_v1_add_listener(toplevel, &listener, handle.get());
    self->handles_.push_back(std::move(handle));
}

void WaylandToplevels::OnFinished(void* data, zwlr_foreign_toplevel_manager_v1*) {
    // The compositor ends the list for good: nothing of it is known any more.
    auto* self = static_cast<WaylandToplevels*>(data);
    self->endedByCompositor_ = true;
    self->Release();
}

void WaylandToplevels::OnTitle(void* data, zwlr_foreign_toplevel_handle_v1*, const char* title) {
    static_cast<Handle*>(data)->pending.title = BoundedTitle(title != nullptr ? title : "");
}

void WaylandToplevels::OnAppId(void* data, zwlr_foreign_toplevel_handle_v1*, const char* appId) {
    static_cast<Handle*>(data)->pending.appId = BoundedTitle(appId != nullptr ? appId : "");
}

void WaylandToplevels::OnOutput(void*, zwlr_foreign_toplevel_handle_v1*, wl_output*) {}

void WaylandToplevels::OnState(void* data, zwlr_foreign_toplevel_handle_v1*, wl_array* state) {
    const auto* states = static_cast<const std::uint32_t*>(state->data);
    const std::size_t count = state->size / sizeof(std::uint32_t);
    static_cast<Handle*>(data)->pending.activated =
        std::find(states, states + count, ZWLR_FOREIGN_TOPLEVEL_HANDLE_V1_STATE_ACTIVATED) !=
        states + count;
}

void WaylandToplevels::OnDone(void* data, zwlr_foreign_toplevel_handle_v1*) {
    auto* handle = static_cast<Handle*>(data);
    handle->state = handle->pending;
    handle->complete = true;
}

void WaylandToplevels::OnClosed(void* data, zwlr_foreign_toplevel_handle_v1*) {
    auto* handle = static_cast<Handle*>(data);
    handle->owner->Forget(handle);
}

void WaylandToplevels::OnParent(void*, zwlr_foreign_toplevel_handle_v1*,
                                zwlr_foreign_toplevel_handle_v1*) {}

}  // namespace padrix::wayland
