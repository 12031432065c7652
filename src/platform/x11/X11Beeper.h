#pragma once

#include <mutex>

#include "engine/Effects.h"
#include "platform/x11/X11Session.h"

namespace padrix::x11 {

// The keyboard bell, on a connection of its own so that any thread may ring it.
class X11Beeper : public Beeper {
  public:
    explicit X11Beeper(DisplayPtr display);
    void Beep() override;

  private:
    std::mutex mutex_;
    DisplayPtr display_;
};

}  // namespace padrix::x11
