#include "platform/uinput/EvdevKeyboard.h"

#include <sys/ioctl.h>
#include <unistd.h>

#include <cerrno>
#include <utility>

namespace padrix::uinput {

EvdevKeyboard::EvdevKeyboard(int fd) : fd_(fd) {
    Resync();
}

EvdevKeyboard::~EvdevKeyboard() {
    Close();
}

EvdevKeyboard::EvdevKeyboard(EvdevKeyboard&& other) noexcept
    : fd_(std::exchange(other.fd_, -1)), held_(other.held_), dropped_(other.dropped_) {}

void EvdevKeyboard::Close() {
    if (fd_ >= 0) {
        close(fd_);
        fd_ = -1;
    }
}

bool EvdevKeyboard::Held(unsigned code) const {
    return code < KEY_CNT && (held_[code / 8] & (1u << (code % 8))) != 0;
}

bool EvdevKeyboard::Set(unsigned code, bool down) {
    if (code >= KEY_CNT || Held(code) == down) {
        return false;
    }
    held_[code / 8] = static_cast<unsigned char>(held_[code / 8] ^ (1u << (code % 8)));
    return true;
}

void EvdevKeyboard::Resync() {
    Bits now{};
    if (fd_ >= 0 && ioctl(fd_, EVIOCGKEY(sizeof now), now.data()) >= 0) {
        held_ = now;
    }
}

bool EvdevKeyboard::Apply(const input_event& event) {
    if (event.type == EV_SYN && event.code == SYN_DROPPED) {
        dropped_ = true;
        return false;
    }
    if (dropped_) {
        // What follows a gap up to its report is incomplete: read the keys instead.
        if (event.type != EV_SYN || event.code != SYN_REPORT) {
            return false;
        }
        dropped_ = false;
        const Bits before = held_;
        Resync();
        return before != held_;
    }
    // Value 2 is a repeat of a key that is down.
    return event.type == EV_KEY && Set(event.code, event.value != 0);
}

bool EvdevKeyboard::Drain() {
    std::array<input_event, 64> events{};
    bool changed = false;
    while (fd_ >= 0) {
        const ssize_t n = read(fd_, events.data(), sizeof events);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            break;
        }
        if (n <= 0) {
            Close();
            changed = changed || held_ != Bits{};
            held_ = {};
            break;
        }
        for (std::size_t i = 0; i < static_cast<std::size_t>(n) / sizeof(input_event); ++i) {
            changed = Apply(events[i]) || changed;
        }
    }
    return changed;
}

}  // namespace padrix::uinput
