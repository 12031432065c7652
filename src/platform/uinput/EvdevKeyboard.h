#pragma once

#include <linux/input.h>

#include <array>

namespace padrix::uinput {

// The keys held on one keyboard's event device, followed from the events it
// delivers. The whole keyboard is read afresh (EVIOCGKEY) at the start and
// after the kernel dropped events (SYN_DROPPED). Owns the descriptor.
class EvdevKeyboard {
  public:
    // `fd` is open, non-blocking.
    explicit EvdevKeyboard(int fd);
    ~EvdevKeyboard();
    EvdevKeyboard(EvdevKeyboard&& other) noexcept;
    EvdevKeyboard& operator=(EvdevKeyboard&&) = delete;
    EvdevKeyboard(const EvdevKeyboard&) = delete;
    EvdevKeyboard& operator=(const EvdevKeyboard&) = delete;

    // -1 once the device went away.
    int fd() const { return fd_; }
    bool Held(unsigned code) const;

    // Takes in the events that have arrived, without waiting; true when a
    // key went down or up. A device that went away closes and holds nothing.
    bool Drain();
    // Takes in one event; true when it changed a key.
    bool Apply(const input_event& event);

  private:
    using Bits = std::array<unsigned char, (KEY_MAX + 8) / 8>;
    void Resync();
    bool Set(unsigned code, bool down);
    void Close();

    int fd_;
    Bits held_{};
    bool dropped_ = false;
};

}  // namespace padrix::uinput
