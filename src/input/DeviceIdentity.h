#pragma once

#include <SDL_joystick.h>

#include <span>
#include <string>

namespace padrix {

class SdlSession;

// What tells one controller from another across unplugging and plugging in:
// SDL's GUID (bus, vendor, product, version and driver), the product name
// and, where SDL gives one, the device path.
struct DeviceIdentity {
    SDL_JoystickGUID guid{};
    std::string name;
    std::string path;

    // The identity of the device at SDL's device index.
    static DeviceIdentity OfDevice(int deviceIndex);

    // Same GUID and name; the path is not compared (see FindDevice).
    bool SameModel(const DeviceIdentity& other) const;
};

// A controller attached now, as the search for a returning one sees it.
struct DeviceCandidate {
    DeviceIdentity identity;
    bool claimedByOther = false;  // another joypad of the session holds it
};

// The rule of FindDevice over a list of candidates: the index of the one
// that `identity` names, or -1.
int MatchDevice(const DeviceIdentity& identity, std::span<const DeviceCandidate> candidates);

// The device index of the controller that joypad `joypad` had opened, or -1
// when none is attached. Among devices of the same model, one at the old path
// is taken first; failing that the first one that no other joypad of the
// session holds, since a controller plugged in again may get a new device
// node. Devices of another model are never taken.
int FindDevice(const DeviceIdentity& identity, int joypad, const SdlSession& session);

}  // namespace padrix
