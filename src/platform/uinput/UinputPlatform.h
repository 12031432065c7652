#pragma once

#include <memory>
#include <string>
#include <variant>

#include "platform/Backend.h"

namespace padrix::uinput {

class EvdevKeys;
class UinputDevice;

// The virtual device and the keyboards' event devices, opened before
// anything else is looked for.
struct UinputParts {
    UinputParts();
    UinputParts(UinputParts&&) noexcept;
    UinputParts& operator=(UinputParts&&) noexcept;
    ~UinputParts();

    // Whether keys are read from the keyboards' event devices: some are there.
    bool HasKeyboards() const;

    std::unique_ptr<UinputDevice> device;
    std::unique_ptr<EvdevKeys> keys;
};

// The virtual device at env.uinputPath, or why it cannot be used.
std::variant<UinputParts, std::string> OpenUinputParts(const SessionEnvironment& env);

// The platform on the virtual device. `display` holds what a display adds
// (keys, window activation, screenshots, the keyboard layout; each may be
// missing): keys come from the keyboards' event devices where there are
// some, else from the display, else from the event devices that may still
// be plugged in; without a display's layout keys are where a US keyboard
// has them.
DesktopPlatform UinputPlatform(UinputParts parts, DesktopPlatform display);

}  // namespace padrix::uinput
