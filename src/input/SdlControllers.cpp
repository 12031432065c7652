#include "input/SdlControllers.h"

#include <SDL.h>

#include <utility>

#include "input/PadReading.h"
#include "input/SdlJoypad.h"
#include "input/SdlSession.h"

namespace padrix {
namespace {

std::string NameAt(int deviceIndex) {
    const char* name = deviceIndex >= 0 ? SDL_JoystickNameForIndex(deviceIndex) : nullptr;
    return name != nullptr ? std::string(name) : std::string();
}

}  // namespace

SdlControllerAccess::SdlControllerAccess(Clock& clock, DoorbellOpener openDoorbell)
    : clock_(clock), openDoorbell_(std::move(openDoorbell)) {}

SdlControllerAccess::~SdlControllerAccess() = default;

bool SdlControllerAccess::Start() {
    if (session_ == nullptr) {
        session_ = SdlSession::Start();
        // Nothing calls SDL between its failure and here.
        startError_ = session_ == nullptr ? SDL_GetError() : "";
    }
    return session_ != nullptr;
}

int SdlControllerAccess::CountJoypads() {
    if (session_ == nullptr) {
        return 0;
    }
    SDL_JoystickUpdate();  // takes in what SDL has not noticed yet
    const int count = SDL_NumJoysticks();
    return count > 0 ? count : 0;
}

std::unique_ptr<Joypad> SdlControllerAccess::OpenJoypad(int n, bool exclusive) {
    const int index = DeviceIndex(n);
    if (index < 0) {
        return nullptr;
    }
    auto pad = std::make_unique<SdlJoypad>(session_, clock_, n, index, exclusive, openDoorbell_);
    if (!pad->IsOpen()) {
        return nullptr;
    }
    openedNames_.try_emplace(n, NameAt(index));
    return pad;
}

std::string SdlControllerAccess::GetJoypadName(int n) {
    if (const auto opened = openedNames_.find(n); opened != openedNames_.end()) {
        return opened->second;
    }
    return NameAt(DeviceIndex(n));
}

std::optional<JoypadInfo> SdlControllerAccess::Describe(int n) {
    const int index = DeviceIndex(n);
    SDL_Joystick* joystick = index >= 0 ? SDL_JoystickOpen(index) : nullptr;
    if (joystick == nullptr) {
        return std::nullopt;
    }
    const PadShape shape = PadShape::Of(joystick);
    const char* name = SDL_JoystickName(joystick);
    JoypadInfo info{name != nullptr ? std::string(name) : std::string(), shape.axes, shape.buttons,
                    shape.hats};
    SDL_JoystickClose(joystick);
    return info;
}

int SdlControllerAccess::DeviceIndex(int n) {
    if (session_ == nullptr || n < 1 || n > SDL_NumJoysticks()) {
        return -1;
    }
    return n - 1;
}

}  // namespace padrix
