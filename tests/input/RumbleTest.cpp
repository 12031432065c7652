#include "InputRig.h"

namespace padrix::testing {
namespace {

constexpr Uint16 kHalf = 0x7FFF;

class InputRumble : public InputRig {
  protected:
    VirtualPad& PlugRumbler(const std::string& name = "Rumbler") {
        PadSetup setup;
        setup.name = name;
        setup.rumble = true;
        return Plug(setup);
    }
};

TEST_F(InputRumble, StartReachesTheMotorsAndStopEndsIt) {
    auto& device = PlugRumbler();
    auto pad = Open(1);
    ASSERT_TRUE(pad->CreateRumble());
    EXPECT_EQ(device.requests(), 0) << "creating does not start it";

    pad->StartRumble();
    EXPECT_EQ(device.low(), kHalf);
    EXPECT_EQ(device.high(), kHalf);
    pad->StopRumble();
    EXPECT_EQ(device.low(), 0);
    EXPECT_EQ(device.high(), 0);

    const int requests = device.requests();
    pad->StopRumble();
    EXPECT_EQ(device.requests(), requests) << "the cycle stops on every release";
}

TEST_F(InputRumble, ControllersWithoutRumbleIgnoreStartAndStop) {
    auto& device = Plug("Plain");
    auto pad = Open(1);
    EXPECT_FALSE(pad->CreateRumble());
    pad->StartRumble();
    pad->StopRumble();
    EXPECT_EQ(device.requests(), 0);
    EXPECT_EQ(ReadOk(*pad).x, kAxisCentre);
}

TEST_F(InputRumble, OnlyTheExclusiveOpenRumbles) {
    auto& device = PlugRumbler();
    auto shared = Open(1, false);
    EXPECT_FALSE(shared->CreateRumble());
    shared->StartRumble();
    EXPECT_EQ(device.requests(), 0);

    auto exclusive = Open(1, true);
    ASSERT_TRUE(exclusive->CreateRumble());
    exclusive->StartRumble();
    EXPECT_EQ(device.low(), kHalf);
    exclusive.reset();
    EXPECT_EQ(device.low(), 0) << "releasing the joypad ends its rumble";
    EXPECT_EQ(ReadOk(*shared).x, kAxisCentre);
}

TEST_F(InputRumble, ARumbleRunningWhenUnpluggedGoesOnWhenBack) {
    auto& device = PlugRumbler();
    auto pad = Open(1);
    ASSERT_TRUE(pad->CreateRumble());
    pad->StartRumble();
    device.Detach();
    JoyState s;
    EXPECT_FALSE(pad->Read(s));
    device.Attach();
    ASSERT_TRUE(ReadsWithin(*pad, 2, s));
    EXPECT_EQ(device.low(), kHalf);
    pad->StopRumble();
    EXPECT_EQ(device.low(), 0) << "the new device is the one that rumbles";
}

}  // namespace
}  // namespace padrix::testing
