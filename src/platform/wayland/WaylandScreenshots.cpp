#include "platform/wayland/WaylandScreenshots.h"

#include <filesystem>

#include "platform/ScreenshotWorker.h"
#include "platform/wayland/PortalScreenGrabber.h"
#include "platform/wayland/WaylandScreenGrabber.h"

namespace padrix::wayland {

std::unique_ptr<Screenshotter> OpenWaylandScreenshots(const SessionEnvironment& env,
                                                      std::unique_ptr<Beeper> beeper) {
    std::unique_ptr<ScreenGrabber> grabber;
    if (!env.waylandDisplay.empty() && OffersScreencopy(env.waylandDisplay)) {
        grabber = std::make_unique<WaylandScreenGrabber>(env.waylandDisplay);
    } else if (PortalOffersScreenshots(env.sessionBus)) {
        std::error_code error;
        grabber = std::make_unique<PortalScreenGrabber>(
            env.sessionBus, std::filesystem::temp_directory_path(error));
    }
    if (!grabber) {
        return nullptr;
    }
    return std::make_unique<ScreenshotWorker>(std::move(grabber), std::move(beeper),
                                              env.picturesFolder);
}

}  // namespace padrix::wayland
