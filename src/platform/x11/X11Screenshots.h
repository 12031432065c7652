#pragma once

// Qt before Xlib: Xlib's macros (Status, None, ...) break Qt's headers.
#include "platform/ScreenshotWorker.h"

#include <string>

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

}  // namespace padrix::x11
