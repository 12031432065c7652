#include "InputRig.h"

namespace padrix::testing {
namespace {

using InputHotplug = InputRig;

// An unplugged joypad fails, keeping its state, until its own controller
// returns under the same number: neither its twin nor a controller plugged in
// meanwhile is taken over, not even by the periodic look.
TEST_F(InputHotplug, AnUnpluggedJoypadFailsUntilItsOwnControllerReturnsNotEvenATwin) {
    auto& one = Plug("Twin");
    auto& two = Plug("Twin");
    auto& charlie = Plug("Charlie");
    auto first = Open(1);
    auto second = Open(2);
    auto third = Open(3);
    two.SetButton(4, true);
    one.Detach();
    Plug("Delta");  // arrives after start-up: seen at the next start only
    JoyState s = ReadOk(*second);
    const JoyState before = s;
    for (int tick = 0; tick < 4; ++tick) {
        clock.AdvanceMs(300);
        EXPECT_FALSE(first->Read(s));
        EXPECT_TRUE(s.buttons == before.buttons && s.x == before.x) << "the state stays";
        EXPECT_EQ(ReadOk(*second).buttons[4], 0x80);
    }
    one.Attach();  // now last in SDL's enumeration
    one.SetButton(1, true);
    charlie.SetButton(7, true);
    ASSERT_TRUE(ReadsWithin(*first, 2, s));
    EXPECT_EQ(s.buttons[1], 0x80);
    EXPECT_EQ(s.buttons[4] + s.buttons[7], 0);
    s = ReadOk(*second);
    EXPECT_EQ(s.buttons[1], 0);
    EXPECT_EQ(s.buttons[4], 0x80);
    EXPECT_EQ(ReadOk(*third).buttons[7], 0x80);
}

// An opened number keeps its controller's name; one never opened is named from
// SDL's list as it is now.
TEST_F(InputHotplug, NamesStayWithTheControllersOpenedUnderTheirNumbers) {
    auto& alpha = Plug("Alpha");
    Plug("Bravo");
    Plug("Charlie");
    auto first = Open(1);
    auto second = Open(2);
    alpha.Detach();  // Bravo and Charlie move up in SDL's list
    const std::pair<int, const char*> names[] = {{1, "Alpha"}, {2, "Bravo"}, {3, ""}};
    for (auto [n, name] : names) {
        EXPECT_EQ(access.GetJoypadName(n), name) << n;
    }
}

// Unplugging one controller and plugging in another between two reads leaves
// SDL's device count as it was; the periodic look finds the controller anyway.
TEST_F(InputHotplug, ASwapThatKeepsTheCountIsFoundByThePeriodicLook) {
    Plug("Alpha");
    auto& bravo = Plug("Bravo");
    auto& charlie = Plug("Charlie");
    auto second = Open(2);
    JoyState s;
    bravo.Detach();
    EXPECT_FALSE(second->Read(s));
    charlie.Detach();
    bravo.Attach();
    clock.AdvanceMs(250);
    EXPECT_TRUE(ReadsWithin(*second, 2, s));
}

constexpr Uint16 kHalf = 0x7FFF;

using InputRumble = InputRig;

// A rumble running when the controller is unplugged goes on when it is back;
// the new device is the one that stops.
TEST_F(InputRumble, StartReachesTheMotorsAndGoesOnAfterAnUnplugUntilStopEndsIt) {
    auto& device = Plug(PadSetup{.rumble = true});
    auto pad = Open(1);
    ASSERT_TRUE(pad->CreateRumble());
    EXPECT_EQ(device.requests(), 0) << "creating does not start it";
    pad->StartRumble();
    EXPECT_EQ(std::pair(device.low(), device.high()), std::pair(kHalf, kHalf));
    device.Detach();
    JoyState s;
    EXPECT_FALSE(pad->Read(s));
    device.Attach();
    ASSERT_TRUE(ReadsWithin(*pad, 2, s));
    EXPECT_EQ(std::pair(device.low(), device.high()), std::pair(kHalf, kHalf));
    pad->StopRumble();
    EXPECT_EQ(device.low() + device.high(), 0);
    const int requests = device.requests();
    pad->StopRumble();
    EXPECT_EQ(device.requests(), requests) << "stopping a stopped rumble sends nothing";
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

// The configuration dialog's shared open reads alongside the program's
// exclusive one; only the exclusive one rumbles.
TEST_F(InputRumble, TwoOpensOfOneControllerAreIndependentAndOnlyTheExclusiveRumbles) {
    auto& device = Plug(PadSetup{.rumble = true});
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
    device.SetButton(2, true);
    EXPECT_EQ(ReadOk(*shared).buttons[2], 0x80);
    exclusive = Open(1, true);
    shared.reset();
    EXPECT_EQ(ReadOk(*exclusive).buttons[2], 0x80);
}

}  // namespace
}  // namespace padrix::testing
