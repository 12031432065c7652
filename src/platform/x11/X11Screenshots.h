#pragma once

// Qt before Xlib: Xlib's macros (Status, None, ...) break Qt's headers.
#include "platform/ScreenshotWorker.h"

#include <mutex>
#include <string>

#include "engine/Effects.h"
#include "platform/x11/X11Session.h"

namespace padrix::x11 {

// Reads the whole root window. It opens its own connection, on the thread
// that grabs first, and keeps it.
class X11ScreenGrabber : public ScreenGrabber {
  public:
    explicit X11ScreenGrabber(std::string displayName);
    QImage Grab() override;

  private:
    std::string displayName_;
    DisplayPtr display_;
};

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
