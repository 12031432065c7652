#pragma once

#include <cstdint>
#include <memory>

#include "platform/KeyboardLayout.h"
#include "platform/wayland/XkbKeymap.h"

struct wl_seat;
struct wl_keyboard;

namespace padrix::wayland {

class WaylandConnection;

// The keymap of the seat's keyboard, followed as the compositor changes it
// (wl_keyboard.keymap): the layout keys are pressed by. Until the seat has
// a keyboard, and where what the compositor sends does not compile, it is
// xkbcommon's default keymap.
class SeatKeymap : public KeyboardLayout {
  public:
    // Binds the compositor's first seat on `connection`.
    explicit SeatKeymap(std::shared_ptr<WaylandConnection> connection);
    ~SeatKeymap() override;
    SeatKeymap(const SeatKeymap&) = delete;
    SeatKeymap& operator=(const SeatKeymap&) = delete;

    // Null where the compositor offers no seat.
    wl_seat* seat() const { return seat_; }

    // Handles what the compositor sent, then gives the layout.
    const keycodes::KeyLayout& Current() override;
    // False where not even xkbcommon's default keymap compiles.
    bool HasKeymap() const { return keymap_ != nullptr; }
    // The keymap in force (when HasKeymap); a new one each time the seat's keymap changes
    // its meaning.
    const XkbKeymap& keymap() const { return *keymap_; }
    // Counts the keymap's changes.
    std::uint64_t generation() const { return generation_; }

  private:
    static void OnCapabilities(void* data, wl_seat* seat, std::uint32_t capabilities);
    static void OnName(void* data, wl_seat* seat, const char* name);
    static void OnKeymap(void* data, wl_keyboard* keyboard, std::uint32_t format, std::int32_t fd,
                         std::uint32_t size);
    void Take(std::unique_ptr<XkbKeymap> keymap);
    void ReleaseKeyboard();

    std::shared_ptr<WaylandConnection> connection_;
    wl_seat* seat_ = nullptr;
    wl_keyboard* keyboard_ = nullptr;
    std::unique_ptr<XkbKeymap> keymap_;
    keycodes::KeyLayout layout_;
    std::uint64_t generation_ = 0;
};

}  // namespace padrix::wayland
