#pragma once

#include <linux/input-event-codes.h>

#include <array>
#include <chrono>
#include <filesystem>
#include <vector>

#include "engine/KeyboardState.h"

namespace padrix::uinput {

// Which keys are held, read from the keyboards' event devices
// (EVIOCGKEY): the one way to see the keyboard where no X server does, as
// on Wayland. Needs read access to the devices. Our own virtual keyboard is
// left out: the keys it holds are not the user's. One reading of every
// keyboard is reused for `maxAge`, as the polling cycle asks for Tab, Ctrl
// and Print Screen one after the other.
class EvdevKeys : public PhysicalKeys {
  public:
    static constexpr std::chrono::microseconds kDefaultMaxAge{500};

    // Opens every readable device in `folder` ("/dev/input") that has a Tab
    // key; HasKeyboards() tells whether any was found.
    explicit EvdevKeys(const std::filesystem::path& folder,
                       std::chrono::microseconds maxAge = kDefaultMaxAge);
    ~EvdevKeys() override;
    EvdevKeys(const EvdevKeys&) = delete;
    EvdevKeys& operator=(const EvdevKeys&) = delete;

    bool HasKeyboards() const { return !fds_.empty(); }
    bool IsKeyDown(std::uint8_t vk) override;

  private:
    using KeyBits = std::array<unsigned char, (KEY_MAX + 8) / 8>;

    // The keys held on any of the keyboards, read again once `maxAge` passed.
    const KeyBits& Held();

    std::vector<int> fds_;
    std::chrono::microseconds maxAge_;
    std::chrono::steady_clock::time_point readAt_;
    bool haveReading_ = false;
    KeyBits held_{};
};

}  // namespace padrix::uinput
