#pragma once

#include <SDL_joystick.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "engine/Clock.h"
#include "engine/Controllers.h"
#include "input/DeviceIdentity.h"
#include "input/Doorbell.h"
#include "input/PadReading.h"
#include "input/SdlRumble.h"

namespace padrix {

class SdlSession;

// One opened game controller, read through SDL's joystick API.
//
// Exclusive access, in the sense of a program keeping a controller to itself,
// is neither offered by SDL nor wanted: the emulator may read the same pad.
// Here an exclusive open is the one that owns force feedback, as it was with
// DirectInput: only it creates a rumble; a non-exclusive open (the
// configuration dialog's) only reads. SDL hands both opens of one controller
// the same device and counts them, so closing one leaves the other working.
//
// A controller that goes away makes reads fail. The joypad then looks for it
// again, cheaply: when SDL's device count has changed since the last look, or
// four times a second. The controller found again (same model, see
// FindDevice) is opened under the same joypad number, and the read after that
// returns its state. Other controllers are never taken over.
//
// The exclusive open, the program's own, also opens the controller's
// doorbell through `openDoorbell` (when given) each time it opens the
// device, after SDL has: the kernel hands an event to the readers of a
// device in the order they opened it, so SDL has it by the time the doorbell
// rings.
class SdlJoypad : public Joypad {
  public:
    SdlJoypad(std::shared_ptr<SdlSession> session, Clock& clock, int number, int deviceIndex,
              bool exclusive, DoorbellOpener openDoorbell = {});
    ~SdlJoypad() override;
    SdlJoypad(const SdlJoypad&) = delete;
    SdlJoypad& operator=(const SdlJoypad&) = delete;

    // False when SDL could not open the device.
    bool IsOpen() const { return joystick_ != nullptr; }

    int ButtonCount() const override;
    bool Read(JoyState& state) override;
    bool CreateRumble() override;
    void StartRumble() override;
    void StopRumble() override;
    void SetDeadZone(int percent) override { deadZone_ = percent; }
    int DoorbellFd() const override { return doorbell_.fd(); }
    bool DrainDoorbell() override { return doorbell_.Drain(); }
    bool Present() const override { return joystick_ != nullptr; }

    std::vector<std::uint8_t> Hats() const override;
    bool TestRumble(int milliseconds) override;

  private:
    bool Open(int deviceIndex);
    void Close();
    void LookForDevice();

    std::shared_ptr<SdlSession> session_;
    Clock& clock_;
    const int number_;
    const bool exclusive_;
    const DoorbellOpener openDoorbell_;
    Doorbell doorbell_;
    int deadZone_ = kDefaultDeadZone;
    DeviceIdentity identity_;
    PadShape shape_;
    int buttonCount_ = 0;

    SDL_Joystick* joystick_ = nullptr;
    SDL_JoystickID device_ = -1;
    std::uint64_t round_ = 0;

    SdlRumble rumble_;
    bool rumbleWanted_ = false;
    bool rumbleRunning_ = false;

    int devicesAtLastLook_ = -1;
    std::int64_t lastLook_ = 0;
};

}  // namespace padrix
