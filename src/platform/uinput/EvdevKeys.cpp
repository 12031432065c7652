#include "platform/uinput/EvdevKeys.h"

#include <fcntl.h>
#include <linux/input.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <array>

#include "engine/VirtualKeys.h"
#include "platform/keycodes/KeyCodes.h"

namespace padrix::uinput {

namespace {

constexpr std::size_t kKeyBytes = (KEY_MAX + 8) / 8;
using KeyBits = std::array<unsigned char, kKeyBytes>;

bool Test(const KeyBits& bits, unsigned code) {
    return code < KEY_CNT && (bits[code / 8] & (1u << (code % 8))) != 0;
}

bool HasTabKey(int fd) {
    KeyBits keys{};
    return ioctl(fd, EVIOCGBIT(EV_KEY, sizeof keys), keys.data()) >= 0 && Test(keys, KEY_TAB);
}

// The other side of a modifier key, which counts as the same key.
unsigned OtherSide(std::uint8_t vk) {
    switch (vk) {
        case vk::Shift:
            return KEY_RIGHTSHIFT;
        case vk::Control:
            return KEY_RIGHTCTRL;
        case vk::Menu:
            return KEY_RIGHTALT;
        default:
            return 0;
    }
}

}  // namespace

EvdevKeys::EvdevKeys(const std::filesystem::path& folder) {
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
        if (!entry.path().filename().string().starts_with("event")) {
            continue;
        }
        const int fd = open(entry.path().c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0) {
            continue;
        }
        if (HasTabKey(fd)) {
            fds_.push_back(fd);
        } else {
            close(fd);
        }
    }
}

EvdevKeys::~EvdevKeys() {
    for (int fd : fds_) {
        close(fd);
    }
}

bool EvdevKeys::IsKeyDown(std::uint8_t vk) {
    const unsigned code = keycodes::LinuxKeyOf(vk);
    const unsigned other = OtherSide(vk);
    if (code == 0) {
        return false;
    }
    for (int fd : fds_) {
        KeyBits held{};
        if (ioctl(fd, EVIOCGKEY(sizeof held), held.data()) >= 0 &&
            (Test(held, code) || (other != 0 && Test(held, other)))) {
            return true;
        }
    }
    return false;
}

}  // namespace padrix::uinput
