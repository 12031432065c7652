#include "platform/x11/X11Keys.h"

#include <utility>

#include "platform/x11/X11RawKeys.h"

namespace padrix::x11 {

X11Keys::X11Keys(std::shared_ptr<X11Session> session, std::chrono::microseconds maxAge)
    : session_(std::move(session)), events_(session_->FollowKeys()), maxAge_(maxAge) {}

const KeycodeBits& X11Keys::Held() {
    if (events_) {
        // Events already read with some reply count at once; reading more
        // is TakeEvents' job.
        session_->HandleQueued();
        return session_->rawKeys().held();
    }
    const auto now = std::chrono::steady_clock::now();
    if (!haveReading_ || now - readAt_ >= maxAge_) {
        char keys[32] = {};
        XQueryKeymap(session_->display(), keys);
        for (std::size_t i = 0; i < queried_.size(); ++i) {
            queried_[i] = static_cast<std::uint8_t>(keys[i]);
        }
        readAt_ = now;
        haveReading_ = true;
        session_->Pump();
    }
    return queried_;
}

bool X11Keys::IsKeyDown(std::uint8_t vk) {
    const KeycodeBits& held = Held();
    const KeycodeBits& mask = session_->keys().heldMaskOfVk[vk];
    for (std::size_t i = 0; i < held.size(); ++i) {
        if ((held[i] & mask[i]) != 0) {
            return true;
        }
    }
    return false;
}

int X11Keys::EventFd() const {
    return events_ ? ConnectionNumber(session_->display()) : -1;
}

bool X11Keys::TakeEvents() {
    if (!events_) {
        return false;
    }
    session_->Pump();
    return session_->TakeKeyChanges();
}

bool X11Keys::TakeQueuedEvents() {
    if (!events_) {
        return false;
    }
    session_->HandleQueued();
    return session_->TakeKeyChanges();
}

}  // namespace padrix::x11
