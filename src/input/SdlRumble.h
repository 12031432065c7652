#pragma once

#include <SDL_haptic.h>
#include <SDL_joystick.h>

#include <cstdint>

namespace padrix {

// The rumble of one opened controller. Where SDL's haptics offer a constant
// force, that effect is used, set up as the program always has: infinite
// length, half strength (gain 5000 of 10000), not tied to a button. Otherwise
// the controller's rumble motors run at half strength. A controller with
// neither has no rumble, and starting or stopping it does nothing.
class SdlRumble {
  public:
    SdlRumble() = default;
    ~SdlRumble() { Release(); }
    SdlRumble(const SdlRumble&) = delete;
    SdlRumble& operator=(const SdlRumble&) = delete;

    // Prepares the rumble on `joystick`; false when it has none.
    bool Create(SDL_Joystick* joystick, bool haptics);

    // Runs the rumble until Stop. `nowMicros` is the time of the request.
    void Start(std::int64_t nowMicros);
    void Stop();

    // SDL ends a motor request by itself after about 65 s; while running,
    // renew the request well before that.
    void KeepAlive(std::int64_t nowMicros);

    bool Running() const { return running_; }

    // Stops the rumble and lets go of the effect; the joystick stays open.
    void Release();

  private:
    enum class Kind { kNone, kHaptic, kMotors };

    bool CreateConstantForce(SDL_Joystick* joystick);
    void RequestMotors(std::int64_t nowMicros);

    Kind kind_ = Kind::kNone;
    SDL_Joystick* joystick_ = nullptr;
    SDL_Haptic* haptic_ = nullptr;
    int effect_ = -1;
    bool running_ = false;
    std::int64_t lastRequest_ = 0;
};

}  // namespace padrix
