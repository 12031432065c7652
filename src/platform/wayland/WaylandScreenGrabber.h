#pragma once

#include <chrono>
#include <memory>
#include <string>

#include "platform/ScreenshotWorker.h"

namespace padrix::wayland {

// Copies every output through the compositor's screen copy
// (zwlr_screencopy_manager_v1) and places each where it sits on the desktop.
// It opens its own connection on the thread that grabs first and keeps it;
// no grab waits longer than `patience` for the compositor.
class WaylandScreenGrabber : public ScreenGrabber {
  public:
    explicit WaylandScreenGrabber(std::string socketName,
                                  std::chrono::milliseconds patience = std::chrono::seconds(5));
    ~WaylandScreenGrabber() override;
    WaylandScreenGrabber(const WaylandScreenGrabber&) = delete;
    WaylandScreenGrabber& operator=(const WaylandScreenGrabber&) = delete;

    QImage Grab() override;

  private:
    struct Capture;

    std::string socketName_;
    std::chrono::milliseconds patience_;
    std::unique_ptr<Capture> capture_;
};

// Whether the compositor at `socketName` offers its screen to copy.
bool OffersScreencopy(const std::string& socketName);

}  // namespace padrix::wayland
