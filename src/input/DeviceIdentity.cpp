#include "input/DeviceIdentity.h"

#include <cstring>

#include "input/SdlSession.h"

namespace padrix {
namespace {

std::string TextOrEmpty(const char* text) {
    return text != nullptr ? std::string(text) : std::string();
}

}  // namespace

DeviceIdentity DeviceIdentity::OfDevice(int deviceIndex) {
    DeviceIdentity identity;
    identity.guid = SDL_JoystickGetDeviceGUID(deviceIndex);
    identity.name = TextOrEmpty(SDL_JoystickNameForIndex(deviceIndex));
    identity.path = TextOrEmpty(SDL_JoystickPathForIndex(deviceIndex));
    return identity;
}

bool DeviceIdentity::SameModel(const DeviceIdentity& other) const {
    return std::memcmp(guid.data, other.guid.data, sizeof guid.data) == 0 && name == other.name;
}

int FindDevice(const DeviceIdentity& identity, int joypad, const SdlSession& session) {
    int fallback = -1;
    const int count = SDL_NumJoysticks();
    for (int i = 0; i < count; ++i) {
        const DeviceIdentity candidate = DeviceIdentity::OfDevice(i);
        if (!identity.SameModel(candidate) ||
            session.ClaimedByOther(SDL_JoystickGetDeviceInstanceID(i), joypad)) {
            continue;
        }
        if (candidate.path == identity.path) {
            return i;
        }
        if (fallback < 0) {
            fallback = i;
        }
    }
    return fallback;
}

}  // namespace padrix
