// Qt before Xlib: Xlib's macros (Status, None, ...) break Qt's headers.
#include "platform/x11/X11Screenshots.h"

#include "platform/x11/X11Platform.h"

#include <X11/XKBlib.h>
#include <X11/extensions/XTest.h>

#include "platform/x11/X11ActiveWindowWatch.h"
#include "platform/x11/X11Beeper.h"
#include "platform/x11/X11KeyboardLayout.h"
#include "platform/x11/X11Keys.h"
#include "platform/x11/X11Output.h"
#include "platform/x11/X11WindowActivator.h"

namespace padrix::x11 {

std::variant<std::shared_ptr<X11Session>, std::string> OpenX11Session(const std::string& name) {
    DisplayPtr display = OpenDisplay(name);
    if (!display) {
        return "The X display \"" + name + "\" cannot be opened.";
    }
    int event = 0;
    int error = 0;
    int major = 0;
    int minor = 0;
    if (!XTestQueryExtension(display.get(), &event, &error, &major, &minor)) {
        return "The X server of display \"" + name +
               "\" has no XTEST extension, which Padrix needs to send keys.";
    }
    int opcode = 0;
    major = XkbMajorVersion;
    minor = XkbMinorVersion;
    if (!XkbQueryExtension(display.get(), &opcode, &event, &error, &major, &minor)) {
        return "The X server of display \"" + name + "\" has no XKEYBOARD extension.";
    }
    return std::make_shared<X11Session>(std::move(display));
}

namespace {

// On a connection of its own, so that its events reach no other part.
std::unique_ptr<ActiveWindowWatch> OpenActiveWindowWatch(const std::string& display) {
    DisplayPtr own = OpenDisplay(display);
    if (!own) {
        return std::make_unique<NoActiveWindowWatch>();
    }
    return std::make_unique<X11ActiveWindowWatch>(std::move(own));
}

}  // namespace

std::variant<DesktopPlatform, std::string> OpenX11Platform(const SessionEnvironment& env) {
    auto opened = OpenX11Session(env.display);
    if (auto* why = std::get_if<std::string>(&opened)) {
        return *why;
    }
    auto session = std::get<std::shared_ptr<X11Session>>(std::move(opened));
    DesktopPlatform platform;
    platform.backend = OutputBackend::kX11;
    platform.output = std::make_unique<X11Output>(session, env.heldInputs);
    platform.keys = std::make_unique<X11Keys>(session);
    platform.screenshots = std::make_unique<ScreenshotWorker>(
        std::make_unique<X11ScreenGrabber>(env.display),
        std::make_unique<X11Beeper>(OpenDisplay(env.display)), env.picturesFolder);
    platform.windows = std::make_unique<X11WindowActivator>(session);
    platform.activeWindow = OpenActiveWindowWatch(env.display);
    platform.layout = std::make_shared<X11KeyboardLayout>(session);
    return platform;
}

DesktopPlatform X11DisplayParts(const SessionEnvironment& env, bool waylandSession, bool withKeys) {
    DesktopPlatform parts;
    if (env.display.empty()) {
        return parts;
    }
    auto opened = OpenX11Session(env.display);
    auto* session = std::get_if<std::shared_ptr<X11Session>>(&opened);
    if (session == nullptr) {
        return parts;
    }
    parts.windows = std::make_unique<X11WindowActivator>(*session);
    parts.activeWindow = OpenActiveWindowWatch(env.display);
    // The X server (XWayland too) has the layout that the session's
    // keyboards type with.
    parts.layout = std::make_shared<X11KeyboardLayout>(*session);
    if (withKeys) {
        parts.keys = std::make_unique<X11Keys>(*session);
    }
    // Under Wayland the X root window shows only X clients: no screenshot.
    if (!waylandSession) {
        parts.screenshots = std::make_unique<ScreenshotWorker>(
            std::make_unique<X11ScreenGrabber>(env.display),
            std::make_unique<X11Beeper>(OpenDisplay(env.display)), env.picturesFolder);
    }
    return parts;
}

}  // namespace padrix::x11
