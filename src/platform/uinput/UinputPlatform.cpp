#include "platform/uinput/UinputPlatform.h"

#include <memory>

#include "platform/NoScreenshots.h"
#include "platform/uinput/EvdevKeys.h"
#include "platform/uinput/UinputDevice.h"
#include "platform/uinput/UinputOutput.h"

#if PADRIX_HAVE_X11
// Qt before Xlib: Xlib's macros (Status, None, ...) break Qt's headers.
#include "platform/x11/X11Screenshots.h"

#include "platform/x11/X11Beeper.h"
#include "platform/x11/X11KeyboardLayout.h"
#include "platform/x11/X11Keys.h"
#include "platform/x11/X11Platform.h"
#include "platform/x11/X11WindowActivator.h"
#endif

namespace padrix::uinput {

namespace {

struct NoKeys : PhysicalKeys {
    bool IsKeyDown(std::uint8_t) override { return false; }
};

#if PADRIX_HAVE_X11
// What an X display adds next to the virtual device (XWayland included):
// window titles, and on a real X11 session the screenshot and its bell.
void AddX11Parts(DesktopPlatform& platform, const SessionEnvironment& env, bool waylandSession) {
    if (env.display.empty()) {
        return;
    }
    auto opened = x11::OpenX11Session(env.display);
    auto* session = std::get_if<std::shared_ptr<x11::X11Session>>(&opened);
    if (session == nullptr) {
        return;
    }
    platform.windows = std::make_unique<x11::X11WindowActivator>(*session);
    // The X server (XWayland too) has the layout that the session's
    // keyboards type with.
    platform.layout = std::make_shared<x11::X11KeyboardLayout>(*session);
    if (!platform.keys) {
        platform.keys = std::make_unique<x11::X11Keys>(*session);
    }
    // Under Wayland the X root window shows only X clients: no screenshot.
    if (!waylandSession) {
        platform.screenshots = std::make_unique<ScreenshotWorker>(
            std::make_unique<x11::X11ScreenGrabber>(env.display),
            std::make_unique<x11::X11Beeper>(x11::OpenDisplay(env.display)), env.picturesFolder);
    }
}
#endif

}  // namespace

std::variant<DesktopPlatform, std::string> OpenUinputPlatform(const SessionEnvironment& env,
                                                              bool waylandSession) {
    auto device = UinputDevice::Open(env.uinputPath);
    if (auto* why = std::get_if<std::string>(&device)) {
        return *why;
    }
    DesktopPlatform platform;
    platform.backend = OutputBackend::kUinput;
    auto evdevKeys = std::make_unique<EvdevKeys>("/dev/input");
    if (evdevKeys->HasKeyboards()) {
        platform.keys = std::move(evdevKeys);
    }
#if PADRIX_HAVE_X11
    AddX11Parts(platform, env, waylandSession);
#else
    (void)waylandSession;
#endif
    // No keyboard yet, and none from X: one may still be plugged in.
    if (!platform.keys && evdevKeys && evdevKeys->WatchesFolder()) {
        platform.keys = std::move(evdevKeys);
    }
    if (!platform.layout) {
        platform.layout = std::make_shared<UsKeyboardLayout>();
    }
    platform.output = std::make_unique<UinputOutput>(
        std::get<std::unique_ptr<UinputDevice>>(std::move(device)), platform.layout);
    if (!platform.keys) {
        platform.keys = std::make_unique<NoKeys>();
    }
    if (!platform.screenshots) {
        platform.screenshots = std::make_unique<NoScreenshots>();
    }
    if (!platform.windows) {
        platform.windows = std::make_unique<NoWindowActivator>();
    }
    return platform;
}

}  // namespace padrix::uinput
