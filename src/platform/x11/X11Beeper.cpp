#include "platform/x11/X11Beeper.h"

#include <utility>

namespace padrix::x11 {

X11Beeper::X11Beeper(DisplayPtr display) : display_(std::move(display)) {}

void X11Beeper::Beep() {
    const std::lock_guard lock(mutex_);
    if (display_) {
        XBell(display_.get(), 0);
        XFlush(display_.get());
    }
}

}  // namespace padrix::x11
