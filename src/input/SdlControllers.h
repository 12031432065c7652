#pragma once

#include <map>
#include <memory>
#include <string>

#include "engine/Clock.h"
#include "engine/Controllers.h"
#include "input/Doorbell.h"

namespace padrix {

class SdlSession;

// The game controllers through SDL2's raw joystick API. Joypad n is opened as
// the n-th device of SDL's enumeration at that moment. Once opened, the number
// stays with that controller while the program runs: its name is the one seen
// when it was first opened, whatever SDL lists at that index after an unplug.
// A joypad not opened yet is named from the current enumeration. The clock
// paces the search for lost controllers and the renewal of motor rumble.
// The joypads opened exclusively get their doorbells from `openDoorbell`;
// without one they have none.
//
// All calls, and all calls on the joypads it opens, belong on one thread.
// Joypads may outlive this object: each keeps SDL running until it is gone.
class SdlControllerAccess : public ControllerAccess {
  public:
    explicit SdlControllerAccess(Clock& clock, DoorbellOpener openDoorbell = {});
    ~SdlControllerAccess() override;
    SdlControllerAccess(const SdlControllerAccess&) = delete;
    SdlControllerAccess& operator=(const SdlControllerAccess&) = delete;

    // Starts SDL's joystick (and, where available, haptic) support. Until it
    // has succeeded there are no joypads. Starting again changes nothing.
    bool Start() override;
    // SDL's own error text from the failed start.
    std::string StartError() const override { return startError_; }
    int CountJoypads() override;
    std::unique_ptr<Joypad> OpenJoypad(int n, bool exclusive) override;
    std::string GetJoypadName(int n) override;
    std::optional<JoypadInfo> Describe(int n) override;

  private:
    // SDL's device index of joypad n, or -1 when there is none.
    int DeviceIndex(int n);

    Clock& clock_;
    DoorbellOpener openDoorbell_;
    std::shared_ptr<SdlSession> session_;
    std::map<int, std::string> openedNames_;  // by joypad number
    std::string startError_;
};

}  // namespace padrix
