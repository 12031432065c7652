#include "platform/wayland/SeatKeymap.h"

#include <sys/mman.h>
#include <unistd.h>
#include <wayland-client.h>

#include <string_view>
#include <utility>

#include "platform/wayland/WaylandConnection.h"

namespace padrix::wayland {

namespace {

// wl_keyboard.release came with version 3.
constexpr std::uint32_t kSeatVersion = 5;
constexpr std::uint32_t kReleaseVersion = 3;
// Far beyond any real keymap (some 60 KiB): a bigger one is not mapped.
constexpr std::uint32_t kLargestKeymap = 16u << 20;

// The keymap in the compositor's shared memory; null where it cannot be read.
std::unique_ptr<XkbKeymap> ReadKeymap(int fd, std::uint32_t size) {
    if (size == 0 || size > kLargestKeymap) {
        return nullptr;
    }
    void* mapped = mmap(nullptr, size, PROT_READ, MAP_PRIVATE, fd, 0);
    if (mapped == MAP_FAILED) {
        return nullptr;
    }
    auto keymap = XkbKeymap::FromText(std::string_view(static_cast<const char*>(mapped), size));
    munmap(mapped, size);
    return keymap;
}

void Ignore(void*, wl_keyboard*, std::uint32_t, wl_surface*, wl_array*) {}
void IgnoreLeave(void*, wl_keyboard*, std::uint32_t, wl_surface*) {}
void IgnoreKey(void*, wl_keyboard*, std::uint32_t, std::uint32_t, std::uint32_t, std::uint32_t) {}
void IgnoreModifiers(void*, wl_keyboard*, std::uint32_t, std::uint32_t, std::uint32_t,
                     std::uint32_t, std::uint32_t) {}
void IgnoreRepeat(void*, wl_keyboard*, std::int32_t, std::int32_t) {}

}  // namespace

SeatKeymap::SeatKeymap(std::shared_ptr<WaylandConnection> connection)
    : connection_(std::move(connection)),
      keymap_(XkbKeymap::Default()),
      layout_(keymap_ ? keymap_->Layout() : keycodes::KeyLayout()) {
    static const wl_seat_listener listener = {
        .capabilities = &SeatKeymap::OnCapabilities,
        .name = &SeatKeymap::OnName,
    };
    seat_ = connection_->Bind<wl_seat>(wl_seat_interface, kSeatVersion);
    if (seat_ != nullptr) {
        wl_seat_add_listener(seat_, &listener, this);
    }
}

SeatKeymap::~SeatKeymap() {
    ReleaseKeyboard();
    if (seat_ != nullptr) {
        wl_seat_destroy(seat_);
    }
}

const keycodes::KeyLayout& SeatKeymap::Current() {
    connection_->Dispatch();
    return layout_;
}

void SeatKeymap::OnCapabilities(void* data, wl_seat* seat, std::uint32_t capabilities) {
    static const wl_keyboard_listener listener = {
        .keymap = &SeatKeymap::OnKeymap,
        .enter = &Ignore,
        .leave = &IgnoreLeave,
        .key = &IgnoreKey,
        .modifiers = &IgnoreModifiers,
        .repeat_info = &IgnoreRepeat,
    };
    auto* self = static_cast<SeatKeymap*>(data);
    const bool hasKeyboard = (capabilities & WL_SEAT_CAPABILITY_KEYBOARD) != 0;
    if (hasKeyboard && self->keyboard_ == nullptr) {
        self->keyboard_ = wl_seat_get_keyboard(seat);
        wl_keyboard_add_listener(self->keyboard_, &listener, self);
    } else if (!hasKeyboard) {
        // The last keymap stays: the next keyboard brings its own.
        self->ReleaseKeyboard();
    }
}

void SeatKeymap::OnName(void*, wl_seat*, const char*) {}

void SeatKeymap::OnKeymap(void* data, wl_keyboard*, std::uint32_t format, std::int32_t fd,
                          std::uint32_t size) {
    auto* self = static_cast<SeatKeymap*>(data);
    if (format == WL_KEYBOARD_KEYMAP_FORMAT_XKB_V1) {
        self->Take(ReadKeymap(fd, size));
    }
    close(fd);
}

void SeatKeymap::Take(std::unique_ptr<XkbKeymap> keymap) {
    // Once our own virtual keyboard types, the seat's keymap is the one we
    // uploaded: the same text, no change.
    if (!keymap || (keymap_ && keymap->text() == keymap_->text())) {
        return;
    }
    layout_ = keymap->Layout();
    keymap_ = std::move(keymap);
    ++generation_;
}

void SeatKeymap::ReleaseKeyboard() {
    if (keyboard_ == nullptr) {
        return;
    }
    if (wl_keyboard_get_version(keyboard_) >= kReleaseVersion) {
        wl_keyboard_release(keyboard_);
    } else {
        wl_keyboard_destroy(keyboard_);
    }
    keyboard_ = nullptr;
}

}  // namespace padrix::wayland
