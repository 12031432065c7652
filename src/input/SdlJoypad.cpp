#include "input/SdlJoypad.h"

#include <algorithm>
#include <utility>

#include "input/SdlSession.h"

namespace padrix {
namespace {

constexpr std::int64_t kLookEveryMicros = 250'000;

}  // namespace

SdlJoypad::SdlJoypad(std::shared_ptr<SdlSession> session, Clock& clock, int number, int deviceIndex,
                     bool exclusive, DoorbellOpener openDoorbell)
    : session_(std::move(session)),
      clock_(clock),
      number_(number),
      exclusive_(exclusive),
      openDoorbell_(std::move(openDoorbell)),
      round_(session_->Round()) {
    if (Open(deviceIndex)) {
        // The record has room for 128 buttons; more cannot be read.
        buttonCount_ = std::min(shape_.buttons, kJoyStateButtons);
    }
}

SdlJoypad::~SdlJoypad() {
    Close();
}

int SdlJoypad::ButtonCount() const {
    return buttonCount_;
}

bool SdlJoypad::Read(JoyState& state) {
    session_->Refresh(round_);
    if (joystick_ != nullptr && SDL_JoystickGetAttached(joystick_) == SDL_TRUE) {
        ReadPad(joystick_, shape_, deadZone_, state);
        if (rumble_.Running()) {
            rumble_.KeepAlive(clock_.MonotonicMicros());
        }
        return true;
    }
    if (joystick_ != nullptr) {
        Close();
        devicesAtLastLook_ = -1;  // look at once: it may be back already
    }
    LookForDevice();
    return false;
}

bool SdlJoypad::CreateRumble() {
    if (!exclusive_) {
        return false;
    }
    rumbleWanted_ = true;
    return joystick_ != nullptr && rumble_.Create(joystick_, session_->HasHaptics());
}

void SdlJoypad::StartRumble() {
    rumbleRunning_ = true;
    rumble_.Start(clock_.MonotonicMicros());
}

void SdlJoypad::StopRumble() {
    rumbleRunning_ = false;
    rumble_.Stop();
}

// SDL's hat bits are the program's own.
static_assert(SDL_HAT_UP == kHatUp && SDL_HAT_RIGHT == kHatRight && SDL_HAT_DOWN == kHatDown &&
              SDL_HAT_LEFT == kHatLeft);

std::vector<std::uint8_t> SdlJoypad::Hats() const {
    std::vector<std::uint8_t> hats;
    if (joystick_ != nullptr) {
        for (int h = 0; h < shape_.hats; ++h) {
            hats.push_back(SDL_JoystickGetHat(joystick_, h));
        }
    }
    return hats;
}

bool SdlJoypad::TestRumble(int milliseconds) {
    constexpr Uint16 kFull = 0xFFFF;
    return joystick_ != nullptr &&
           SDL_JoystickRumble(joystick_, kFull, kFull, static_cast<Uint32>(milliseconds)) == 0;
}

bool SdlJoypad::Open(int deviceIndex) {
    joystick_ = SDL_JoystickOpen(deviceIndex);
    if (joystick_ == nullptr) {
        return false;
    }
    identity_ = DeviceIdentity::OfDevice(deviceIndex);
    device_ = SDL_JoystickInstanceID(joystick_);
    session_->Claim(device_, number_);
    shape_ = PadShape::Of(joystick_);
    if (exclusive_ && openDoorbell_) {
        doorbell_ = Doorbell(openDoorbell_(number_, identity_.path));
    }
    if (rumbleWanted_ && rumble_.Create(joystick_, session_->HasHaptics()) && rumbleRunning_) {
        rumble_.Start(clock_.MonotonicMicros());
    }
    return true;
}

void SdlJoypad::Close() {
    if (joystick_ == nullptr) {
        return;
    }
    doorbell_.Close();
    rumble_.Release();
    session_->Unclaim(device_, number_);
    SDL_JoystickClose(joystick_);
    joystick_ = nullptr;
    device_ = -1;
}

void SdlJoypad::LookForDevice() {
    const int devices = SDL_NumJoysticks();
    const std::int64_t now = clock_.MonotonicMicros();
    if (devices == devicesAtLastLook_ && now - lastLook_ < kLookEveryMicros) {
        return;
    }
    devicesAtLastLook_ = devices;
    lastLook_ = now;
    const int index = FindDevice(identity_, number_, *session_);
    if (index >= 0) {
        Open(index);
    }
}

}  // namespace padrix
