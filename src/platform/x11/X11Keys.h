#pragma once

#include <chrono>
#include <memory>

#include "engine/KeyboardState.h"
#include "platform/x11/X11Session.h"

namespace padrix::x11 {

// Which keys are held, from XQueryKeymap. One query costs a round trip to
// the server, so a reading is reused for `maxAge`: the polling cycle asks for
// Tab, Ctrl and Print Screen one after the other and gets them from one query.
class X11Keys : public PhysicalKeys {
  public:
    static constexpr std::chrono::microseconds kDefaultMaxAge{500};

    explicit X11Keys(std::shared_ptr<X11Session> session,
                     std::chrono::microseconds maxAge = kDefaultMaxAge);

    bool IsKeyDown(std::uint8_t vk) override;

  private:
    std::shared_ptr<X11Session> session_;
    std::chrono::microseconds maxAge_;
    std::chrono::steady_clock::time_point readAt_;
    bool haveReading_ = false;
    KeycodeBits held_{};
};

}  // namespace padrix::x11
