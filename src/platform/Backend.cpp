#include "platform/Backend.h"
#include "common/AsciiText.h"

#include <cctype>
#include <cstdlib>

#include "platform/NoScreenshots.h"
#include "platform/ScreenshotWorker.h"

#if PADRIX_HAVE_X11
#include "platform/x11/X11Platform.h"
#endif
#if PADRIX_HAVE_UINPUT
#include "platform/uinput/EvdevKeys.h"
#include "platform/uinput/UinputPlatform.h"
#endif
#if PADRIX_HAVE_WAYLAND
#include "platform/XWaylandActiveWindowWatch.h"
#include "platform/wayland/WaylandPlatform.h"
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

struct NoKeys : PhysicalKeys {
    bool IsKeyDown(std::uint8_t) override { return false; }
};

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

// What an X display adds next to another output (XWayland included).
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

Attempt TryUinput(const SessionEnvironment& env, bool wayland) {
#if PADRIX_HAVE_UINPUT
    auto opened = uinput::OpenUinputParts(env);
    if (auto* why = std::get_if<std::string>(&opened)) {
        return *why;
    }
    auto parts = std::get<uinput::UinputParts>(std::move(opened));
    const bool keysFromDisplay = !parts.HasKeyboards();
    DesktopPlatform platform =
        uinput::UinputPlatform(std::move(parts), DisplayParts(env, wayland, keysFromDisplay));
    if (wayland && keysFromDisplay) {
        platform.notices.push_back(PlatformNotice::kKeyboardsUnreadable);
    }
    return platform;
#else
    (void)env;
    (void)wayland;
    return std::string("This build of Padrix has no uinput support.");
#endif
}

// Tab, Ctrl and Print Screen from the keyboards' event devices; null where
// none can be read now or later.
std::unique_ptr<PhysicalKeys> KeyboardDevices() {
#if PADRIX_HAVE_UINPUT
    auto keys = std::make_unique<uinput::EvdevKeys>("/dev/input");
    if (keys->HasKeyboards() || keys->WatchesFolder()) {
        return keys;
    }
#endif
    return nullptr;
}

Attempt TryWayland(const SessionEnvironment& env) {
#if PADRIX_HAVE_WAYLAND
    auto opened = wayland::OpenWaylandPlatform(env);
    if (std::holds_alternative<std::string>(opened)) {
        return opened;
    }
    auto platform = std::get<DesktopPlatform>(std::move(opened));
    auto keys = KeyboardDevices();
    // Windows (and the keys, where no keyboard can be read) from XWayland.
    DesktopPlatform display = DisplayParts(env, true, keys == nullptr);
    if (!keys) {
        platform.notices.push_back(PlatformNotice::kKeyboardsUnreadable);
    }
    platform.keys = keys ? std::move(keys) : std::move(display.keys);
    platform.windows = std::move(display.windows);
    platform.activeWindow = std::move(display.activeWindow);
    if (!platform.keys) {
        platform.keys = std::make_unique<NoKeys>();
    }
    platform.screenshots = std::make_unique<NoScreenshots>();
    if (!platform.windows) {
        platform.windows = std::make_unique<NoWindowActivator>();
    }
    return platform;
#else
    (void)env;
    return std::string("This build of Padrix has no Wayland support.");
#endif
}

Attempt TryUinputOnWayland(const SessionEnvironment& env) {
    return TryUinput(env, true);
}

Attempt TryUinputOnX(const SessionEnvironment& env) {
    return TryUinput(env, false);
}

constexpr const char* kChooseAnother =
    "\n\nTo let Padrix choose how it sends keys, remove the setting \"Output\" from section "
    "\"Custom\" (or set it to \"auto\").";

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

// The platform opened, with what the user should know about it.
PlatformOpening Done(Attempt&& attempt, bool waylandSession) {
    auto platform = std::get<DesktopPlatform>(std::move(attempt));
    if (!platform.activeWindow) {
        platform.activeWindow = std::make_unique<NoActiveWindowWatch>();
    }
    if (waylandSession && platform.backend == OutputBackend::kX11) {
        platform.notices.push_back(PlatformNotice::kKeysReachOnlyXPrograms);
    }
    return platform;
}

}  // namespace

std::string_view OutputBackendName(OutputBackend backend) {
    switch (backend) {
        case OutputBackend::kUinput:
            return "uinput";
        case OutputBackend::kWayland:
            return "wayland";
        case OutputBackend::kX11:
            break;
    }
    return "xtest";
}

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
    const std::string asked = Lowered(outputSetting);
    const bool wayland = !env.waylandDisplay.empty() || Lowered(env.sessionType) == "wayland";
    if (asked == "wayland" || asked == "uinput" || asked == "x11") {
        Attempt forced = asked == "wayland"  ? TryWayland(env)
                         : asked == "uinput" ? TryUinput(env, wayland)
                                             : TryX11(env);
        if (const auto* why = std::get_if<std::string>(&forced)) {
            return PlatformError{*why + kChooseAnother};
        }
        return Done(std::move(forced), wayland);
    }
    std::string reasons;
    const auto tried = [&reasons](Attempt& attempt) {
        if (const auto* why = std::get_if<std::string>(&attempt)) {
            reasons += (reasons.empty() ? "" : "\n\n") + *why;
            return false;
        }
        return true;
    };
    // On Wayland XWayland takes keys only for the X programs of the session:
    // the last resort. Without a display announced the virtual device may
    // still serve.
    using Opener = Attempt (*)(const SessionEnvironment&);
    const std::vector<Opener> order =
        wayland ? std::vector<Opener>{TryWayland, TryUinputOnWayland, TryX11}
                : std::vector<Opener>{TryX11, TryUinputOnX};
    for (const Opener open : order) {
        Attempt attempt = open(env);
        if (tried(attempt)) {
            return Done(std::move(attempt), wayland);
        }
    }
    return PlatformError{reasons};
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
