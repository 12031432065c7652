#pragma once

#include <string>
#include <variant>

#include "platform/Backend.h"

namespace padrix::uinput {

// The platform on the virtual device: keys from the keyboards' event
// devices (else from an X display if there is one), window activation,
// screenshots and the keyboard layout through X where a display exists
// (else a US layout).
std::variant<DesktopPlatform, std::string> OpenUinputPlatform(const SessionEnvironment& env,
                                                              bool waylandSession);

}  // namespace padrix::uinput
