#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "JoyState.h"

namespace padrix {

// The dead zone of a new joypad, in percent of the half range of its x and y axes.
inline constexpr int kDefaultDeadZone = 25;

// Where a hat points: a combination of these bits, 0 when centred.
enum HatBits : std::uint8_t { kHatUp = 1, kHatRight = 2, kHatDown = 4, kHatLeft = 8 };

// What a controller reports about itself, for listing it.
struct JoypadInfo {
    std::string name;
    int axes = 0;
    int buttons = 0;
    int hats = 0;
};

// One opened game controller. Destroying it releases the device (ReleaseJoypad).
class Joypad {
  public:
    virtual ~Joypad() = default;

    // Number of buttons the device reports.
    virtual int ButtonCount() const = 0;

    // Fills `state` with the device's current reading. Returns false when the
    // device cannot be read (unplugged); `state` is then left untouched and the
    // device is looked for again on later reads.
    virtual bool Read(JoyState& state) = 0;

    // Prepares the joypad's rumble effect; false when the device has none.
    virtual bool CreateRumble() = 0;
    // Runs the rumble until StopRumble. Both do nothing without an effect.
    virtual void StartRumble() = 0;
    virtual void StopRumble() = 0;

    // Around the centre of x and y, `percent` (0 to 100) of the half range
    // reads as exactly the centre; outside it a value passes unchanged.
    virtual void SetDeadZone(int percent) = 0;

    // The doorbell: a descriptor that turns readable when the controller
    // reports something new. It only wakes the program; the state still
    // comes from Read. -1 when the joypad has none and must be polled.
    virtual int DoorbellFd() const = 0;
    // Empties the doorbell after it rang; true when it had rung. A doorbell
    // whose device went away is closed (DoorbellFd() then gives -1).
    virtual bool DrainDoorbell() = 0;
    // False while the controller is unplugged: it is looked for on later
    // reads, and needs no polling meanwhile.
    virtual bool Present() const = 0;

    // Where each hat points (HatBits), as of the last read; empty while the
    // controller is away.
    virtual std::vector<std::uint8_t> Hats() const = 0;
    // Both motors at full strength for `milliseconds`, whoever opened the
    // pad; false when it has no motors.
    virtual bool TestRumble(int milliseconds) = 0;
};

// Access to the attached game controllers, numbered 1, 2, ... in the
// platform's enumeration order.
class ControllerAccess {
  public:
    virtual ~ControllerAccess() = default;

    // Starts the controller system; false when it cannot be started.
    virtual bool Start() = 0;
    // Why the last start failed, in the controller system's own words; empty
    // once a start succeeded, or when the system gave no reason.
    virtual std::string StartError() const = 0;

    // Number of controllers attached now (not capped at 8).
    virtual int CountJoypads() = 0;

    // Opens joypad n (1-based) afresh; nullptr when it cannot be opened.
    // The main program opens exclusively, the configuration dialog not;
    // both opens of one controller work independently of each other.
    virtual std::unique_ptr<Joypad> OpenJoypad(int n, bool exclusive) = 0;

    // The product name of joypad n, empty when there is no such joypad.
    virtual std::string GetJoypadName(int n) = 0;

    // The name and counts that joypad n's controller reports; nothing when
    // there is no joypad n or it cannot be opened.
    virtual std::optional<JoypadInfo> Describe(int n) = 0;
};

}  // namespace padrix
