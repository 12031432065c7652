// Which attached controller a joypad takes back: the rule on lists of
// candidates, with the device paths that SDL's virtual joysticks lack.
#include <gtest/gtest.h>

#include <vector>

#include "input/DeviceIdentity.h"

namespace padrix {
namespace {

DeviceIdentity Pad(const char* name, const char* path, Uint8 product = 1) {
    DeviceIdentity identity;
    identity.guid.data[4] = product;
    identity.name = name;
    identity.path = path;
    return identity;
}

DeviceCandidate Attached(const DeviceIdentity& identity, bool claimedByOther = false) {
    return {identity, claimedByOther};
}

TEST(InputDeviceMatch, TheRuleOnListsOfCandidates) {
    const DeviceIdentity lost = Pad("Gamepad", "/dev/input/event5");
    struct Case {
        const char* what;
        std::vector<DeviceCandidate> candidates;
        int expected;
    };
    const Case cases[] = {
        {"nothing attached", {}, -1},
        // Two identical pads that come back swapped each find their own.
        {"the old path first, though listed later",
         {Attached(Pad("Gamepad", "/dev/input/event9")), Attached(lost)},
         1},
        {"a new node: the first of the model no other joypad holds",
         {Attached(Pad("Gamepad", "/dev/input/event7"), true),
          Attached(Pad("Gamepad", "/dev/input/event8")),
          Attached(Pad("Gamepad", "/dev/input/event9"))},
         1},
        {"the old path held by another joypad is not taken",
         {Attached(lost, true), Attached(Pad("Gamepad", "/dev/input/event9"))},
         1},
        {"another name is another model", {Attached(Pad("Gamepad Pro", "/dev/input/event5"))}, -1},
        {"another GUID is another model", {Attached(Pad("Gamepad", "/dev/input/event5", 2))}, -1},
        {"every one of the model held", {Attached(lost, true)}, -1},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(MatchDevice(lost, c.candidates), c.expected) << c.what;
    }
}

TEST(InputDeviceMatch, WithoutPathsTheFirstFreeOneOfTheModel) {
    const DeviceIdentity lost = Pad("Virtual Pad", "");
    const std::vector<DeviceCandidate> candidates = {
        Attached(Pad("Other", "")), Attached(Pad("Virtual Pad", ""), true),
        Attached(Pad("Virtual Pad", "")), Attached(Pad("Virtual Pad", ""))};
    EXPECT_EQ(MatchDevice(lost, candidates), 2);
}

}  // namespace
}  // namespace padrix
