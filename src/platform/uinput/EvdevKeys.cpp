#include "platform/uinput/EvdevKeys.h"

#include <fcntl.h>
#include <linux/input.h>
#include <sys/epoll.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <algorithm>
#include <string_view>

#include "engine/VirtualKeys.h"
#include "platform/keycodes/KeyCodes.h"
#include "platform/uinput/UinputDevice.h"

namespace padrix::uinput {

namespace {

// A bit per key code, as the event device reports keys.
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

EvdevKeys::EvdevKeys(const std::filesystem::path& folder) {
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
            keyboards_.emplace_back(fd);
        } else {
            close(fd);
        }
    }
    if (keyboards_.empty()) {
        return;
    }
    epoll_ = epoll_create1(EPOLL_CLOEXEC);
    for (const EvdevKeyboard& keyboard : keyboards_) {
        epoll_event watch{};
        watch.events = EPOLLIN;
        epoll_ctl(epoll_, EPOLL_CTL_ADD, keyboard.fd(), &watch);
    }
}

EvdevKeys::~EvdevKeys() {
    if (epoll_ >= 0) {
        close(epoll_);
    }
}

bool EvdevKeys::TakeEvents() {
    // A keyboard that went away closes its descriptor, which also takes it
    // out of the epoll set.
    bool changed = false;
    for (EvdevKeyboard& keyboard : keyboards_) {
        changed = keyboard.Drain() || changed;
    }
    return changed;
}

bool EvdevKeys::Held(unsigned code) const {
    return std::any_of(keyboards_.begin(), keyboards_.end(),
                       [code](const EvdevKeyboard& k) { return k.Held(code); });
}

bool EvdevKeys::IsKeyDown(std::uint8_t vk) {
    const unsigned code = keycodes::LinuxKeyOf(vk);
    const unsigned other = OtherSide(vk);
    return code != 0 && (Held(code) || (other != 0 && Held(other)));
}

}  // namespace padrix::uinput
