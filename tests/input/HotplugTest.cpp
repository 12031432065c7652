#include "InputRig.h"
#include "engine/MappingEngine.h"

namespace padrix::testing {
namespace {

using InputHotplug = InputRig;

TEST_F(InputHotplug, AReadOfAnUnpluggedControllerFailsAndLeavesTheState) {
    auto& alpha = Plug("Alpha");
    auto& bravo = Plug("Bravo");
    auto first = Open(1);
    auto second = Open(2);
    alpha.SetButton(4, true);
    bravo.SetButton(6, true);
    EXPECT_EQ(ReadOk(*second).buttons[6], 0x80);

    bravo.Detach();
    JoyState s = ReadOk(*first);
    const JoyState alphaState = s;
    for (int tick = 0; tick < 3; ++tick) {
        EXPECT_FALSE(second->Read(s));
        EXPECT_EQ(s.buttons, alphaState.buttons) << "joypad 1's state stays";
        EXPECT_EQ(s.x, alphaState.x);
        EXPECT_EQ(ReadOk(*first).buttons[4], 0x80);
    }
}

TEST_F(InputHotplug, APluggedInControllerResumesUnderItsOldNumber) {
    Plug("Alpha");
    auto& bravo = Plug("Bravo");
    auto& charlie = Plug("Charlie");
    auto second = Open(2);
    auto third = Open(3);
    JoyState s;

    bravo.Detach();
    EXPECT_FALSE(second->Read(s));
    bravo.Attach();  // now last in SDL's enumeration
    bravo.SetButton(5, true);
    charlie.SetButton(7, true);
    ASSERT_TRUE(ReadsWithin(*second, 2, s));
    EXPECT_EQ(s.buttons[5], 0x80);
    EXPECT_EQ(s.buttons[7], 0);
    EXPECT_EQ(ReadOk(*third).buttons[7], 0x80);
}

TEST_F(InputHotplug, AnotherControllerIsNeverTakenOver) {
    auto& alpha = Plug("Alpha");
    auto first = Open(1);
    alpha.Detach();
    Plug("Delta");  // arrives after start-up: seen at the next start only
    JoyState s;
    for (int tick = 0; tick < 4; ++tick) {
        clock.AdvanceMs(300);
        EXPECT_FALSE(first->Read(s));
    }
    alpha.Attach();
    EXPECT_TRUE(ReadsWithin(*first, 2, s));
}

TEST_F(InputHotplug, TwinControllersEachFindTheirOwn) {
    auto& one = Plug("Twin");
    auto& two = Plug("Twin");
    auto first = Open(1);
    auto second = Open(2);
    JoyState s;

    one.Detach();
    for (int tick = 0; tick < 3; ++tick) {
        clock.AdvanceMs(300);
        EXPECT_FALSE(first->Read(s)) << "joypad 2's controller is not joypad 1's";
    }
    one.Attach();
    one.SetButton(1, true);
    two.SetButton(2, true);
    ASSERT_TRUE(ReadsWithin(*first, 2, s));
    EXPECT_EQ(s.buttons[1], 0x80);
    EXPECT_EQ(s.buttons[2], 0);
    s = ReadOk(*second);
    EXPECT_EQ(s.buttons[1], 0);
    EXPECT_EQ(s.buttons[2], 0x80);
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

// The engine takes a joypad that cannot be read as at rest, so a key held by
// an unplugged controller goes up.
TEST_F(InputHotplug, UnpluggingWhileAButtonIsHeldReleasesItsKey) {
    auto& device = Plug("Alpha");
    fakes::RecordingOutput out;
    fakes::FakeKeys keys;
    fakes::ScriptedRandom random;
    fakes::RecordingScreenshots screenshots;
    fakes::RecordingTimer timer;
    MappingEngine engine{{out, keys, clock, random, screenshots, timer}, "/tmp"};
    engine.tables.joypadCount = access.CountJoypads();
    engine.tables.joypadDevices[0] = Open(1);
    engine.tables.joypadMaxButton[0] = engine.tables.joypadDevices[0]->ButtonCount() - 1;
    engine.tables.keyMap[0].A = 'J';
    engine.options.RumbleType = kRumbleNever;

    device.SetButton(0, true);
    engine.PollCycle();
    EXPECT_EQ(out.Take(), std::vector{fakes::OutEvent::Down('J')});
    device.Detach();
    clock.AdvanceMs(1);
    engine.PollCycle();
    EXPECT_EQ(out.Take(), std::vector{fakes::OutEvent::Up('J')});
    device.Attach();
    device.SetButton(0, true);
    for (int tick = 0; tick < 2; ++tick) {
        clock.AdvanceMs(1);
        engine.PollCycle();
    }
    EXPECT_EQ(out.Take(), std::vector{fakes::OutEvent::Down('J')}) << "reading resumed";
}

}  // namespace
}  // namespace padrix::testing
