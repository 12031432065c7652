#pragma once

#include <chrono>
#include <memory>

#include "engine/KeyboardState.h"
#include "platform/x11/X11Session.h"

namespace padrix::x11 {

// Which keys are held. Where the server has XInput 2, a table kept from its
// raw key events answers without a round trip, and the connection turns
// readable when keys change. Elsewhere each answer comes from XQueryKeymap,
// a round trip, so a reading is reused for `maxAge`: the polling cycle asks
// for Tab, Ctrl and Print Screen one after the other and gets them from one
// query.
class X11Keys : public PhysicalKeys {
  public:
    static constexpr std::chrono::microseconds kDefaultMaxAge{500};

    explicit X11Keys(std::shared_ptr<X11Session> session,
                     std::chrono::microseconds maxAge = kDefaultMaxAge);

    bool IsKeyDown(std::uint8_t vk) override;
    int EventFd() const override;
    bool TakeEvents() override;
    bool TakeQueuedEvents() override;

  private:
    const KeycodeBits& Held();

    std::shared_ptr<X11Session> session_;
    const bool events_;
    std::chrono::microseconds maxAge_;
    std::chrono::steady_clock::time_point readAt_;
    bool haveReading_ = false;
    KeycodeBits queried_{};
};

}  // namespace padrix::x11
