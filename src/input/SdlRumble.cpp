#include "input/SdlRumble.h"

namespace padrix {
namespace {

// Half of SDL's strongest constant force and of the motors' full speed.
constexpr Sint16 kHalfLevel = 0x4000;
constexpr Uint16 kHalfMotor = 0x7FFF;
// SDL caps one motor request at 65535 ms; it is renewed after 30 s.
constexpr Uint32 kMotorRequestMs = 0xFFFF;
constexpr std::int64_t kRenewAfterMicros = 30'000'000;

SDL_HapticEffect ConstantForce() {
    SDL_HapticEffect effect{};
    effect.type = SDL_HAPTIC_CONSTANT;
    effect.constant.direction.type = SDL_HAPTIC_CARTESIAN;
    effect.constant.direction.dir[0] = 1;
    effect.constant.length = SDL_HAPTIC_INFINITY;
    effect.constant.button = 0;  // not tied to a button
    effect.constant.interval = 0;
    effect.constant.level = kHalfLevel;
    return effect;
}

}  // namespace

bool SdlRumble::Create(SDL_Joystick* joystick, bool haptics) {
    Release();
    if (joystick == nullptr) {
        return false;
    }
    if (haptics && CreateConstantForce(joystick)) {
        kind_ = Kind::kHaptic;
    } else if (SDL_JoystickHasRumble(joystick) == SDL_TRUE) {
        kind_ = Kind::kMotors;
        joystick_ = joystick;
    }
    return kind_ != Kind::kNone;
}

bool SdlRumble::CreateConstantForce(SDL_Joystick* joystick) {
    if (SDL_JoystickIsHaptic(joystick) != SDL_TRUE) {
        return false;
    }
    haptic_ = SDL_HapticOpenFromJoystick(joystick);
    if (haptic_ == nullptr) {
        return false;
    }
    if ((SDL_HapticQuery(haptic_) & SDL_HAPTIC_CONSTANT) != 0) {
        SDL_HapticEffect effect = ConstantForce();
        effect_ = SDL_HapticNewEffect(haptic_, &effect);
    }
    if (effect_ < 0) {
        SDL_HapticClose(haptic_);
        haptic_ = nullptr;
        return false;
    }
    return true;
}

void SdlRumble::Start(std::int64_t nowMicros) {
    if (kind_ == Kind::kHaptic) {
        running_ = SDL_HapticRunEffect(haptic_, effect_, SDL_HAPTIC_INFINITY) == 0;
    } else if (kind_ == Kind::kMotors) {
        RequestMotors(nowMicros);
    }
}

void SdlRumble::Stop() {
    if (!running_) {
        return;
    }
    if (kind_ == Kind::kHaptic) {
        SDL_HapticStopEffect(haptic_, effect_);
    } else if (kind_ == Kind::kMotors) {
        SDL_JoystickRumble(joystick_, 0, 0, 0);
    }
    running_ = false;
}

void SdlRumble::KeepAlive(std::int64_t nowMicros) {
    if (running_ && kind_ == Kind::kMotors && nowMicros - lastRequest_ >= kRenewAfterMicros) {
        RequestMotors(nowMicros);
    }
}

void SdlRumble::RequestMotors(std::int64_t nowMicros) {
    running_ = SDL_JoystickRumble(joystick_, kHalfMotor, kHalfMotor, kMotorRequestMs) == 0;
    lastRequest_ = nowMicros;
}

void SdlRumble::Release() {
    Stop();
    if (haptic_ != nullptr) {
        SDL_HapticDestroyEffect(haptic_, effect_);
        SDL_HapticClose(haptic_);
    }
    kind_ = Kind::kNone;
    joystick_ = nullptr;
    haptic_ = nullptr;
    effect_ = -1;
}

}  // namespace padrix
