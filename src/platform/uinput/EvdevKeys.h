#pragma once

#include <filesystem>
#include <vector>

#include "engine/KeyboardState.h"
#include "platform/uinput/EvdevKeyboard.h"

namespace padrix::uinput {

// Which keys are held, followed from the keyboards' event devices: the one
// way to see the keyboard where no X server does, as on Wayland. Needs read
// access to the devices. Our own virtual keyboard is left out: the keys it
// holds are not the user's. One descriptor (an epoll set of the keyboards)
// turns readable when any of them has events.
class EvdevKeys : public PhysicalKeys {
  public:
    // Opens every readable device in `folder` ("/dev/input") that has a Tab
    // key; HasKeyboards() tells whether any was found.
    explicit EvdevKeys(const std::filesystem::path& folder);
    ~EvdevKeys() override;
    EvdevKeys(const EvdevKeys&) = delete;
    EvdevKeys& operator=(const EvdevKeys&) = delete;

    bool HasKeyboards() const { return !keyboards_.empty(); }
    bool IsKeyDown(std::uint8_t vk) override;
    int EventFd() const override { return epoll_; }
    bool TakeEvents() override;

  private:
    bool Held(unsigned code) const;

    std::vector<EvdevKeyboard> keyboards_;
    int epoll_ = -1;
};

}  // namespace padrix::uinput
