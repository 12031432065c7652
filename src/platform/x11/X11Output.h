#pragma once

#include <array>
#include <memory>

#include "engine/EventOutput.h"
#include "platform/HeldInputs.h"
#include "platform/x11/X11Session.h"

namespace padrix::x11 {

// Key and mouse events through XTest, the pointer through XQueryPointer and
// XWarpPointer, and the Scroll Lock indicator through Xkb. Every event is
// flushed to the server at once. Whatever it still holds down when it is
// destroyed is released. What it holds is recorded in `held` (the page shared
// with the guardian, which must outlive the output) or, without one, in a
// record of its own.
class X11Output : public EventOutput {
  public:
    explicit X11Output(std::shared_ptr<X11Session> session, HeldInputs* held = nullptr);
    ~X11Output() override;
    X11Output(const X11Output&) = delete;
    X11Output& operator=(const X11Output&) = delete;

    // The key is the one that vk stands for on the keyboard layout (the key
    // a capture of vk came from); a non-zero scan code other than vk's own
    // picks the physical key that sends it (evdev keycodes). Keys the
    // keyboard mapping lacks are skipped. A key-up releases the keycode that
    // its key-down pressed.
    void SendKey(std::uint8_t vk, bool down, std::uint8_t scanCode) override;
    // The scan code of the key that vk presses on the layout.
    std::uint8_t ScanCode(std::uint8_t vk) override;
    void SendMouseButton(MouseButton button, bool down) override;
    ScreenPoint PointerPosition() override;
    void MovePointer(ScreenPoint p) override;
    // The keyboard's "Scroll Lock" indicator.
    bool ScrollLockLight() override;
    void SetScrollLockLight(bool on) override;

  private:
    KeyCode KeycodeFor(std::uint8_t vk, std::uint8_t scanCode) const;

    std::shared_ptr<X11Session> session_;
    Atom scrollLock_;
    HeldInputs ownRecord_;
    HeldInputs& held_;
    // The keycode each virtual key went down as, 0 while it is up.
    std::array<KeyCode, 256> keycodeOfVk_{};
    ScreenPoint lastSet_;
};

}  // namespace padrix::x11
