#pragma once

#include <linux/input-event-codes.h>

#include <array>
#include <bitset>
#include <memory>

#include "engine/EventOutput.h"
#include "platform/KeyboardLayout.h"
#include "platform/uinput/EventSink.h"

namespace padrix::uinput {

// The engine's output as Linux input events for a virtual keyboard and
// mouse. Keys are EV_KEY events of the physical key that vk stands for on
// the keyboard layout (the key a capture of vk came from); with a scan code
// (MS-DOS mode) other than vk's own the key is the physical key of that
// code, and an EV_MSC/MSC_SCAN event carries the code. A key-up releases
// the key that its key-down pressed. The pointer position cannot be read: setting it moves the
// pointer by the difference to the last position set (EV_REL), and reading it gives that last
// position. Whatever it still holds down when it is destroyed is released.
class UinputOutput : public EventOutput {
  public:
    // Without a layout, every key is where a US keyboard has it.
    explicit UinputOutput(std::unique_ptr<EventSink> sink,
                          std::shared_ptr<KeyboardLayout> layout = nullptr);
    ~UinputOutput() override;
    UinputOutput(const UinputOutput&) = delete;
    UinputOutput& operator=(const UinputOutput&) = delete;

    void SendKey(std::uint8_t vk, bool down, std::uint8_t scanCode) override;
    std::uint8_t ScanCode(std::uint8_t vk) override;
    void SendMouseButton(MouseButton button, bool down) override;
    ScreenPoint PointerPosition() override;
    void MovePointer(ScreenPoint p) override;
    // No indicator can be set from here: the light is only remembered.
    bool ScrollLockLight() override { return scrollLock_; }
    void SetScrollLockLight(bool on) override { scrollLock_ = on; }

  private:
    bool Key(std::uint16_t code, bool down);
    void Sync();
    std::uint16_t KeyOf(std::uint8_t vk, std::uint8_t scanCode);

    std::unique_ptr<EventSink> sink_;
    std::shared_ptr<KeyboardLayout> layout_;
    std::bitset<KEY_CNT> down_;
    // The key each virtual key went down as, 0 while it is up.
    std::array<std::uint16_t, 256> keyOfVk_{};
    ScreenPoint cursor_;
    bool scrollLock_ = false;
};

}  // namespace padrix::uinput
