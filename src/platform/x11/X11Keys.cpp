#include "platform/x11/X11Keys.h"

#include <utility>

namespace padrix::x11 {

X11Keys::X11Keys(std::shared_ptr<X11Session> session, std::chrono::microseconds maxAge)
    : session_(std::move(session)), maxAge_(maxAge) {}

bool X11Keys::IsKeyDown(std::uint8_t vk) {
    const auto now = std::chrono::steady_clock::now();
    if (!haveReading_ || now - readAt_ >= maxAge_) {
        char keys[32] = {};
        XQueryKeymap(session_->display(), keys);
        for (std::size_t i = 0; i < held_.size(); ++i) {
            held_[i] = static_cast<std::uint8_t>(keys[i]);
        }
        readAt_ = now;
        haveReading_ = true;
        session_->Pump();
    }
    const KeycodeBits& mask = session_->keys().heldMaskOfVk[vk];
    for (std::size_t i = 0; i < held_.size(); ++i) {
        if ((held_[i] & mask[i]) != 0) {
            return true;
        }
    }
    return false;
}

}  // namespace padrix::x11
