#pragma once

#include <array>
#include <bitset>
#include <cstdint>
#include <memory>

#include "engine/EventOutput.h"
#include "platform/HeldInputs.h"

struct xkb_state;
struct zwp_virtual_keyboard_manager_v1;
struct zwp_virtual_keyboard_v1;
struct zwlr_virtual_pointer_manager_v1;
struct zwlr_virtual_pointer_v1;

namespace padrix::wayland {

class SeatKeymap;
class WaylandConnection;

// The engine's output through the compositor: a virtual keyboard with the
// seat keyboard's keymap, uploaded again whenever that changes, and a
// virtual pointer. Keys are the physical keys that vk stands for on that
// keymap; with a scan code (MS-DOS mode) other than vk's own the key is the
// physical key of that code. A key-up releases the key that its key-down
// pressed. Each key is followed by the modifiers it leaves, so that the
// focused window reads Shift, Ctrl and Alt combinations. The pointer
// position cannot be read: setting it moves the pointer by the difference
// to the last position set, and reading it gives that last position. Every
// event is sent at once. Whatever it still holds down when it is destroyed
// is released; the buttons it holds are recorded in `held` (where not null)
// for the guardian, as the compositor keeps them held if we die.
class WaylandOutput : public EventOutput {
  public:
    // Where the compositor offers no virtual pointer, `pointers` is null and
    // mouse events go nowhere.
    WaylandOutput(std::shared_ptr<WaylandConnection> connection, std::shared_ptr<SeatKeymap> keymap,
                  zwp_virtual_keyboard_manager_v1* keyboards,
                  zwlr_virtual_pointer_manager_v1* pointers, HeldInputs* held = nullptr);
    ~WaylandOutput() override;
    WaylandOutput(const WaylandOutput&) = delete;
    WaylandOutput& operator=(const WaylandOutput&) = delete;

    void SendKey(std::uint8_t vk, bool down, std::uint8_t scanCode) override;
    std::uint8_t ScanCode(std::uint8_t vk) override;
    void SendMouseButton(MouseButton button, bool down) override;
    ScreenPoint PointerPosition() override { return cursor_; }
    void MovePointer(ScreenPoint p) override;
    // No indicator can be set from here: the light is only remembered.
    bool ScrollLockLight() override { return scrollLock_; }
    void SetScrollLockLight(bool on) override { scrollLock_ = on; }

  private:
    static constexpr std::size_t kKeys = 256;
    std::uint16_t KeyOf(std::uint8_t vk, std::uint8_t scanCode);
    // Uploads the seat's keymap where it is not the one uploaded last.
    void FollowKeymap();
    void Key(std::uint16_t code, bool down);
    void SendModifiers();
    void Button(std::uint32_t button, bool down);

    std::shared_ptr<WaylandConnection> connection_;
    std::shared_ptr<SeatKeymap> keymap_;
    zwp_virtual_keyboard_manager_v1* keyboards_;
    zwlr_virtual_pointer_manager_v1* pointers_;
    zwp_virtual_keyboard_v1* keyboard_ = nullptr;
    zwlr_virtual_pointer_v1* pointer_ = nullptr;
    // What we hold, as the focused window reads it.
    xkb_state* state_ = nullptr;
    std::uint64_t uploaded_ = 0;
    std::array<std::uint32_t, 4> sentModifiers_{};
    std::bitset<kKeys> down_;
    std::bitset<2> buttonsDown_;
    HeldInputs* held_;
    // The key each virtual key went down as, 0 while it is up.
    std::array<std::uint16_t, 256> keyOfVk_{};
    ScreenPoint cursor_;
    bool scrollLock_ = false;
};

}  // namespace padrix::wayland
