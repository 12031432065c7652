#pragma once

#include <filesystem>
#include <vector>

#include "engine/KeyboardState.h"

namespace padrix::uinput {

// Which keys are held, read from the keyboards' event devices
// (EVIOCGKEY): the one way to see the keyboard where no X server does,
// on Wayland and the console. Needs read access to the devices.
class EvdevKeys : public PhysicalKeys {
  public:
    // Opens every readable device in `folder` ("/dev/input") that has a Tab
    // key; HasKeyboards() tells whether any was found.
    explicit EvdevKeys(const std::filesystem::path& folder);
    ~EvdevKeys() override;
    EvdevKeys(const EvdevKeys&) = delete;
    EvdevKeys& operator=(const EvdevKeys&) = delete;

    bool HasKeyboards() const { return !fds_.empty(); }
    bool IsKeyDown(std::uint8_t vk) override;

  private:
    std::vector<int> fds_;
};

}  // namespace padrix::uinput
