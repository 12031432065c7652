#include "platform/uinput/UinputPlatform.h"

#include <memory>

#include "platform/NoScreenshots.h"
#include "platform/uinput/EvdevKeys.h"
#include "platform/uinput/UinputDevice.h"
#include "platform/uinput/UinputOutput.h"

namespace padrix::uinput {

namespace {

struct NoKeys : PhysicalKeys {
    bool IsKeyDown(std::uint8_t) override { return false; }
};

}  // namespace

UinputParts::UinputParts() = default;
UinputParts::UinputParts(UinputParts&&) noexcept = default;
UinputParts& UinputParts::operator=(UinputParts&&) noexcept = default;
UinputParts::~UinputParts() = default;

bool UinputParts::HasKeyboards() const {
    return keys != nullptr && keys->HasKeyboards();
}

std::variant<UinputParts, std::string> OpenUinputParts(const SessionEnvironment& env) {
    auto device = UinputDevice::Open(env.uinputPath);
    if (auto* why = std::get_if<std::string>(&device)) {
        return *why;
    }
    UinputParts parts;
    parts.device = std::get<std::unique_ptr<UinputDevice>>(std::move(device));
    parts.keys = std::make_unique<EvdevKeys>("/dev/input");
    return parts;
}

DesktopPlatform UinputPlatform(UinputParts parts, DesktopPlatform display) {
    DesktopPlatform platform = std::move(display);
    platform.backend = OutputBackend::kUinput;
    // No keyboard yet, and none from the display: one may still be plugged in.
    if (parts.HasKeyboards() || (!platform.keys && parts.keys->WatchesFolder())) {
        platform.keys = std::move(parts.keys);
    }
    if (!platform.layout) {
        platform.layout = std::make_shared<UsKeyboardLayout>();
    }
    platform.output = std::make_unique<UinputOutput>(std::move(parts.device), platform.layout);
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
