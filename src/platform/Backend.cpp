#include "platform/Backend.h"
#include "common/AsciiText.h"

#include <cctype>
#include <cstdlib>

#include "platform/ScreenshotWorker.h"

#if PADRIX_HAVE_X11
#include "platform/x11/X11Platform.h"
#endif
#if PADRIX_HAVE_UINPUT
#include "platform/uinput/UinputPlatform.h"
#endif
#if PADRIX_HAVE_WAYLAND
#include "platform/NoScreenshots.h"
#include "platform/XWaylandActiveWindowWatch.h"
#include "platform/wayland/WaylandScreenshots.h"
#include "platform/wayland/WaylandWindows.h"
#endif

namespace padrix {

namespace {

std::string Env(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? value : "";
}

std::string Lowered(std::string_view s) {
    std::string out;
    for (char c : s) {
        if (!std::isspace(static_cast<unsigned char>(c))) {
            out += AsciiLower(c);
        }
    }
    return out;
}

using Attempt = std::variant<DesktopPlatform, std::string>;

Attempt TryX11(const SessionEnvironment& env) {
#if PADRIX_HAVE_X11
    if (env.display.empty()) {
        return std::string("There is no X display (DISPLAY is not set).");
    }
    return x11::OpenX11Platform(env);
#else
    (void)env;
    return std::string("This build of Padrix has no X11 support.");
#endif
}

#if PADRIX_HAVE_UINPUT
// What an X display adds next to the virtual device.
DesktopPlatform DisplayParts(const SessionEnvironment& env, bool wayland, bool withKeys) {
#if PADRIX_HAVE_X11
    return x11::X11DisplayParts(env, wayland, withKeys);
#else
    (void)env;
    (void)wayland;
    (void)withKeys;
    return {};
#endif
}
#endif

Attempt TryUinput(const SessionEnvironment& env, bool wayland) {
#if PADRIX_HAVE_UINPUT
    auto opened = uinput::OpenUinputParts(env);
    if (auto* why = std::get_if<std::string>(&opened)) {
        return *why;
    }
    auto parts = std::get<uinput::UinputParts>(std::move(opened));
    const bool keysFromDisplay = !parts.HasKeyboards();
    return uinput::UinputPlatform(std::move(parts), DisplayParts(env, wayland, keysFromDisplay));
#else
    (void)env;
    (void)wayland;
    return std::string("This build of Padrix has no uinput support.");
#endif
}

#if PADRIX_HAVE_WAYLAND
// On Wayland the X root window holds only X programs: Print Screen goes
// through the compositor or the desktop portal, else takes no picture and
// says so. The compositor has no bell for us to ring.
void UseWaylandScreenshots(DesktopPlatform& platform, const SessionEnvironment& env) {
    platform.screenshots = wayland::OpenWaylandScreenshots(env, nullptr);
    if (!platform.screenshots) {
        platform.screenshots = std::make_unique<NoScreenshots>();
        platform.notices.push_back(PlatformNotice::kNoScreenshots);
    }
}
#endif

PlatformOpening Done(Attempt&& attempt) {
    auto platform = std::get<DesktopPlatform>(std::move(attempt));
    if (!platform.activeWindow) {
        platform.activeWindow = std::make_unique<NoActiveWindowWatch>();
    }
    return platform;
}

}  // namespace

SessionEnvironment SessionEnvironment::FromProcess() {
    SessionEnvironment env;
    env.display = Env("DISPLAY");
    env.waylandDisplay = Env("WAYLAND_DISPLAY");
    env.sessionType = Env("XDG_SESSION_TYPE");
    env.picturesFolder = DefaultPicturesFolder().string();
    env.sessionBus = Env("DBUS_SESSION_BUS_ADDRESS");
    return env;
}

PlatformOpening OpenDesktopPlatform(std::string_view outputSetting) {
    return OpenDesktopPlatform(outputSetting, SessionEnvironment::FromProcess());
}

static PlatformOpening OpenOutputAndDisplay(std::string_view outputSetting,
                                            const SessionEnvironment& env) {
    const bool asked = Lowered(outputSetting) == "uinput";
    const bool wayland = !env.waylandDisplay.empty() || Lowered(env.sessionType) == "wayland";
    if (asked || wayland) {
        Attempt u = TryUinput(env, wayland);
        if (std::holds_alternative<DesktopPlatform>(u)) {
            return Done(std::move(u));
        }
        const std::string why = std::get<std::string>(u);
        if (asked) {
            return PlatformError{why +
                                 "\n\nTo send keys through X11 instead, remove the setting "
                                 "\"Output\" from section \"Custom\"."};
        }
        // XWayland still takes keys for the X programs of the session.
        Attempt x = TryX11(env);
        if (std::holds_alternative<DesktopPlatform>(x)) {
            return Done(std::move(x));
        }
        return PlatformError{why};
    }
    Attempt x = TryX11(env);
    if (std::holds_alternative<DesktopPlatform>(x)) {
        return Done(std::move(x));
    }
    // Neither an X display nor Wayland announced: try the virtual device
    // all the same.
    Attempt u = TryUinput(env, false);
    if (std::holds_alternative<DesktopPlatform>(u)) {
        return Done(std::move(u));
    }
    return PlatformError{std::get<std::string>(x) + "\n\n" + std::get<std::string>(u)};
}

// On a Wayland session, the compositor's list of toplevels, where it offers
// one, replaces the display's windows and watch, which see X programs only;
// screenshots come through the compositor or the portal.
PlatformOpening OpenDesktopPlatform(std::string_view outputSetting, const SessionEnvironment& env) {
    PlatformOpening opened = OpenOutputAndDisplay(outputSetting, env);
#if PADRIX_HAVE_WAYLAND
    auto* platform = std::get_if<DesktopPlatform>(&opened);
    if (platform != nullptr &&
        (!env.waylandDisplay.empty() || Lowered(env.sessionType) == "wayland")) {
        UseWaylandScreenshots(*platform, env);
        if (auto windows = wayland::OpenWaylandWindows(env)) {
            platform->windows = std::move(windows->activator);
            platform->activeWindow = std::move(windows->watch);
        } else {
            platform->activeWindow =
                std::make_unique<XWaylandActiveWindowWatch>(std::move(platform->activeWindow));
        }
    }
#endif
    return opened;
}

}  // namespace padrix
