#pragma once

#include <filesystem>
#include <functional>
#include <list>

#include "engine/KeyboardState.h"
#include "platform/uinput/DeviceFolderWatch.h"
#include "platform/uinput/EvdevKeyboard.h"

namespace padrix::uinput {

// Which keys are held, followed from the keyboards' event devices: the one
// way to see the keyboard where no X server does, as on Wayland. Needs read
// access to the devices. Our own virtual keyboard is left out: the keys it
// holds are not the user's. Keyboards plugged in later are opened as they
// appear. One descriptor (an epoll set of the keyboards and the folder
// watch) turns readable when any of them has news.
class EvdevKeys : public PhysicalKeys {
  public:
    // Whether an open event device is a keyboard to follow.
    using KeyboardTest = std::function<bool(int fd)>;

    // Opens every readable device in `folder` ("/dev/input") that has a Tab
    // key; HasKeyboards() tells whether any was found.
    explicit EvdevKeys(const std::filesystem::path& folder);
    EvdevKeys(const std::filesystem::path& folder, KeyboardTest isKeyboard);
    ~EvdevKeys() override;
    EvdevKeys(const EvdevKeys&) = delete;
    EvdevKeys& operator=(const EvdevKeys&) = delete;

    bool HasKeyboards() const { return !keyboards_.empty(); }
    // Keyboards that appear later will be seen.
    bool WatchesFolder() const { return watch_.fd() >= 0; }
    bool IsKeyDown(std::uint8_t vk) override;
    int EventFd() const override { return epoll_; }
    bool TakeEvents() override;

  private:
    struct OpenKeyboard {
        std::filesystem::path path;
        EvdevKeyboard keyboard;
    };

    bool Held(unsigned code) const;
    void Open(const std::filesystem::path& path);
    bool IsOpen(const std::filesystem::path& path) const;
    void Watch(int fd) const;

    KeyboardTest isKeyboard_;
    DeviceFolderWatch watch_;
    std::list<OpenKeyboard> keyboards_;
    int epoll_ = -1;
};

// The test EvdevKeys uses on real devices: a Tab key, and not our own
// virtual keyboard.
bool IsUserKeyboard(int fd);

}  // namespace padrix::uinput
