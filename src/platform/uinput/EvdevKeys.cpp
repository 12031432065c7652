#include "platform/uinput/EvdevKeys.h"

#include <fcntl.h>
#include <linux/input.h>
#include <sys/epoll.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <algorithm>
#include <string_view>
#include <utility>

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

bool IsUserKeyboard(int fd) {
    return HasTabKey(fd) && !IsOurVirtualKeyboard(fd);
}

EvdevKeys::EvdevKeys(const std::filesystem::path& folder) : EvdevKeys(folder, IsUserKeyboard) {}

EvdevKeys::EvdevKeys(const std::filesystem::path& folder, KeyboardTest isKeyboard)
    : isKeyboard_(std::move(isKeyboard)), watch_(folder), epoll_(epoll_create1(EPOLL_CLOEXEC)) {
    Watch(watch_.fd());
    namespace fs = std::filesystem;
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        if (IsEventDeviceName(it->path().filename().string())) {
            Open(it->path());
        }
    }
}

EvdevKeys::~EvdevKeys() {
    if (epoll_ >= 0) {
        close(epoll_);
    }
}

void EvdevKeys::Watch(int fd) const {
    if (epoll_ >= 0 && fd >= 0) {
        epoll_event watch{};
        watch.events = EPOLLIN;
        epoll_ctl(epoll_, EPOLL_CTL_ADD, fd, &watch);
    }
}

bool EvdevKeys::IsOpen(const std::filesystem::path& path) const {
    return std::any_of(keyboards_.begin(), keyboards_.end(),
                       [&path](const OpenKeyboard& k) { return k.path == path; });
}

void EvdevKeys::Open(const std::filesystem::path& path) {
    if (IsOpen(path)) {
        return;
    }
    const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        return;
    }
    if (!isKeyboard_(fd)) {
        close(fd);
        return;
    }
    Watch(fd);
    keyboards_.push_back({path, EvdevKeyboard(fd)});
}

bool EvdevKeys::TakeEvents() {
    bool changed = false;
    for (OpenKeyboard& open : keyboards_) {
        changed = open.keyboard.Drain() || changed;
    }
    // A keyboard that went away has closed its descriptor, which also took
    // it out of the epoll set; forgetting it lets it come back.
    keyboards_.remove_if([](const OpenKeyboard& k) { return k.keyboard.fd() < 0; });
    for (const std::filesystem::path& path : watch_.TakeNewDevices()) {
        Open(path);
    }
    return changed;
}

bool EvdevKeys::Held(unsigned code) const {
    return std::any_of(keyboards_.begin(), keyboards_.end(),
                       [code](const OpenKeyboard& k) { return k.keyboard.Held(code); });
}

bool EvdevKeys::IsKeyDown(std::uint8_t vk) {
    const unsigned code = keycodes::LinuxKeyOf(vk);
    const unsigned other = OtherSide(vk);
    return code != 0 && (Held(code) || (other != 0 && Held(other)));
}

}  // namespace padrix::uinput
