#pragma once

#include <map>
#include <memory>
#include <optional>
#include <string>

#include "engine/Clock.h"
#include "engine/Controllers.h"
#include "input/Doorbell.h"

namespace padrix {

class SdlSession;
class SdlJoypad;

// What a controller reports about itself, for listing it.
struct JoypadInfo {
    std::string name;
    int axes = 0;
    int buttons = 0;
    int hats = 0;
};

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
    bool StartDirectInput() override;
    // SDL's own error text from the failed start.
    std::string StartError() const override { return startError_; }
    int CountJoypads() override;
    std::unique_ptr<Joypad> OpenJoypad(int n, bool exclusive) override;
    // The same, with what only SDL's joypads tell (hats, a test rumble).
    std::unique_ptr<SdlJoypad> OpenSdlJoypad(int n, bool exclusive);
    std::string GetJoypadName(int n) override;

    // The counts that joypad n's controller reports; nothing when there is no
    // joypad n or it cannot be opened.
    std::optional<JoypadInfo> Describe(int n);

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
