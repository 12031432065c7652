#pragma once

#include <QString>

#include <chrono>
#include <filesystem>
#include <string>

#include "platform/ScreenshotWorker.h"

namespace padrix::wayland {

// Asks the XDG desktop portal for a screenshot of the whole desktop
// (org.freedesktop.portal.Screenshot, without asking the user) on the session
// bus at `busAddress`, and reads the file it names. A file the portal left in
// `temporaryFolder` for us is removed once read; any other is the user's and
// stays. The bus connection is made on the thread that grabs first and kept;
// no grab waits longer than `patience` for the portal.
class PortalScreenGrabber : public ScreenGrabber {
  public:
    PortalScreenGrabber(std::string busAddress, std::filesystem::path temporaryFolder,
                        std::chrono::milliseconds patience = std::chrono::seconds(20));
    ~PortalScreenGrabber() override;
    PortalScreenGrabber(const PortalScreenGrabber&) = delete;
    PortalScreenGrabber& operator=(const PortalScreenGrabber&) = delete;

    QImage Grab() override;

  private:
    std::string busAddress_;
    std::filesystem::path temporaryFolder_;
    std::chrono::milliseconds patience_;
    QString connectionName_;
    bool connected_ = false;
    unsigned requests_ = 0;
};

// Whether a desktop portal with screenshots answers on the bus at
// `busAddress` (started on demand where the bus can start it).
bool PortalOffersScreenshots(const std::string& busAddress);

}  // namespace padrix::wayland
