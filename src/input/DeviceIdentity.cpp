#include "input/DeviceIdentity.h"

#include <cstring>
#include <vector>

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

int MatchDevice(const DeviceIdentity& identity, std::span<const DeviceCandidate> candidates) {
    int fallback = -1;
    for (std::size_t i = 0; i < candidates.size(); ++i) {
        const DeviceCandidate& candidate = candidates[i];
        if (!identity.SameModel(candidate.identity) || candidate.claimedByOther) {
            continue;
        }
        if (candidate.identity.path == identity.path) {
            return static_cast<int>(i);
        }
        if (fallback < 0) {
            fallback = static_cast<int>(i);
        }
    }
    return fallback;
}

int FindDevice(const DeviceIdentity& identity, int joypad, const SdlSession& session) {
    std::vector<DeviceCandidate> candidates;
    const int count = SDL_NumJoysticks();
    for (int i = 0; i < count; ++i) {
        candidates.push_back({DeviceIdentity::OfDevice(i),
                              session.ClaimedByOther(SDL_JoystickGetDeviceInstanceID(i), joypad)});
    }
    return MatchDevice(identity, candidates);
}

}  // namespace padrix
