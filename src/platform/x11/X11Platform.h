#pragma once

#include <memory>
#include <string>
#include <variant>

#include "platform/Backend.h"
#include "platform/x11/X11Session.h"

namespace padrix::x11 {

// A session on the X display `name` with the XTEST and XKEYBOARD extensions;
// otherwise the reason it cannot be used.
std::variant<std::shared_ptr<X11Session>, std::string> OpenX11Session(const std::string& name);

// The whole platform on X11: XTest output, XQueryKeymap key states, window
// activation, screenshots of the root window and the X bell.
std::variant<DesktopPlatform, std::string> OpenX11Platform(const SessionEnvironment& env);

// What the X display env.display adds to another backend's output (XWayland
// included): window activation, the keyboard layout, the key states when
// withKeys, and on a real X11 session (not waylandSession) the screenshot
// and its bell. Empty without a display that opens.
DesktopPlatform X11DisplayParts(const SessionEnvironment& env, bool waylandSession, bool withKeys);

}  // namespace padrix::x11
