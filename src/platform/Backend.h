#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "engine/Effects.h"
#include "engine/EventOutput.h"
#include "engine/KeyboardState.h"
#include "platform/ActiveWindowWatch.h"
#include "platform/DesktopEvents.h"
#include "platform/KeyboardLayout.h"
#include "platform/WindowActivator.h"

namespace padrix {

struct HeldInputs;

enum class OutputBackend { kX11, kUinput, kWayland };

// The backend's name in `padrix --status`: "xtest", "uinput" or "wayland".
std::string_view OutputBackendName(OutputBackend backend);

// What the user should know about the session the platform was opened on:
// something Padrix cannot do here and what would fix it. Each is shown once,
// in the user's language.
enum class PlatformNotice {
    kKeysReachOnlyXPrograms,
    kNoScreenshots,
    kKeyboardsUnreadable,
};

// Everything the program needs from the desktop session, opened together at
// start-up. Members are destroyed in reverse order: the output last, so that
// it can let go of every key it still holds.
struct DesktopPlatform {
    OutputBackend backend = OutputBackend::kX11;
    std::unique_ptr<EventOutput> output;
    std::unique_ptr<PhysicalKeys> keys;
    // Writes the JPEG off the calling thread and beeps once it exists.
    std::unique_ptr<Screenshotter> screenshots;
    std::unique_ptr<WindowActivator> windows;
    // Which window has the focus; never null once opened.
    std::unique_ptr<ActiveWindowWatch> activeWindow;
    // The keyboard layout that the output presses keys by, for the key
    // capture to go by as well.
    std::shared_ptr<KeyboardLayout> layout;
    std::vector<PlatformNotice> notices;
    // Events the output's connection receives of its own accord; null where
    // there are none.
    std::unique_ptr<DesktopEvents> events;
};

// Why no backend could be opened and what the user can do about it; the
// start-up shows it in a message box and ends.
struct PlatformError {
    std::string message;
};

// The session as the backend choice sees it; normally from the environment.
struct SessionEnvironment {
    std::string display;         // DISPLAY
    std::string waylandDisplay;  // WAYLAND_DISPLAY
    std::string sessionType;     // XDG_SESSION_TYPE
    std::string uinputPath = "/dev/uinput";
    // Where screenshots go when the requested folder cannot be written.
    std::string picturesFolder;
    // The session's D-Bus (DBUS_SESSION_BUS_ADDRESS), where a desktop portal
    // may take screenshots; empty for none.
    std::string sessionBus;
    // Where the X11 output records what it holds down, for the guardian.
    HeldInputs* heldInputs = nullptr;

    static SessionEnvironment FromProcess();
};

using PlatformOpening = std::variant<DesktopPlatform, PlatformError>;

// Opens the output backend: uinput when `outputSetting` (setting "Output" of
// section "Custom") is "uinput" or the session is Wayland, X11 when there is
// an X display (also XWayland, as the fallback on Wayland).
PlatformOpening OpenDesktopPlatform(std::string_view outputSetting);
PlatformOpening OpenDesktopPlatform(std::string_view outputSetting, const SessionEnvironment& env);

}  // namespace padrix
