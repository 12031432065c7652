#include "platform/uinput/EvdevKeys.h"

#include <fcntl.h>
#include <linux/input.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <string_view>

#include "engine/VirtualKeys.h"
#include "platform/keycodes/KeyCodes.h"
#include "platform/uinput/UinputDevice.h"

namespace padrix::uinput {

namespace {

// A bit per key code, as the event device reports keys (the same type as
// EvdevKeys::KeyBits).
using Bits = std::array<unsigned char, (KEY_MAX + 8) / 8>;

bool Test(const Bits& bits, unsigned code) {
    return code < KEY_CNT && (bits[code / 8] & (1u << (code % 8))) != 0;
}

bool HasTabKey(int fd) {
    Bits keys{};
    return ioctl(fd, EVIOCGBIT(EV_KEY, sizeof keys), keys.data()) >= 0 && Test(keys, KEY_TAB);
}

bool IsOurVirtualKeyboard(int fd) {
    char name[256] = {};
    return ioctl(fd, EVIOCGNAME(sizeof name - 1), name) >= 0 &&
           std::string_view(name) == kDeviceName;
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

EvdevKeys::EvdevKeys(const std::filesystem::path& folder, std::chrono::microseconds maxAge)
    : maxAge_(maxAge) {
    namespace fs = std::filesystem;
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        if (!it->path().filename().string().starts_with("event")) {
            continue;
        }
        const int fd = open(it->path().c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0) {
            continue;
        }
        if (HasTabKey(fd) && !IsOurVirtualKeyboard(fd)) {
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

const EvdevKeys::KeyBits& EvdevKeys::Held() {
    const auto now = std::chrono::steady_clock::now();
    if (haveReading_ && now - readAt_ < maxAge_) {
        return held_;
    }
    held_.fill(0);
    for (int fd : fds_) {
        KeyBits one{};
        if (ioctl(fd, EVIOCGKEY(sizeof one), one.data()) >= 0) {
            for (std::size_t i = 0; i < held_.size(); ++i) {
                held_[i] |= one[i];
            }
        }
    }
    readAt_ = now;
    haveReading_ = true;
    return held_;
}

bool EvdevKeys::IsKeyDown(std::uint8_t vk) {
    const unsigned code = keycodes::LinuxKeyOf(vk);
    const unsigned other = OtherSide(vk);
    if (code == 0) {
        return false;
    }
    const KeyBits& held = Held();
    return Test(held, code) || (other != 0 && Test(held, other));
}

}  // namespace padrix::uinput
