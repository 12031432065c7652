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

}  // namespace padrix::x11
