#include "EngineRig.h"

namespace padrix::testing {
namespace {

class EngineButtons : public EngineRig {};

TEST_F(EngineButtons, EachButtonSendsItsKeyOnPressAndRelease) {
    OpenPads(1, 24);
    const std::uint8_t keysOf[] = {'J', 'K', 'L', '2', '0', 'I', '1', '9', 'N', 'B', 112,
                                   113, 114, 115, 116, 117, 118, 119, 120, 121, 122};
    for (int b = 0; b < 21; ++b) {
        Press(1, b);
        EXPECT_EQ(Run(), Downs({keysOf[b]})) << "button " << b;
        EXPECT_TRUE(Run().empty());
        Release(1, b);
        EXPECT_EQ(Run(), Ups({keysOf[b]})) << "button " << b;
    }
}

TEST_F(EngineButtons, ButtonsFrom21HaveFlagsButNoKeyAndFrom24Nothing) {
    OpenPads(1, 30);
    engine.SetOption(&Options::RumbleType, kRumbleRandom);
    random.fallback = 0.99f;
    for (int b : {21, 22, 23}) {
        Press(1, b);
        EXPECT_TRUE(Run().empty());
        EXPECT_TRUE(engine.tables().buttonHeld[0][static_cast<std::size_t>(b)]);
        Release(1, b);
        EXPECT_TRUE(Run().empty());
    }
    EXPECT_EQ(Pad(1).rumbleStarts, 3);
    EXPECT_EQ(Pad(1).rumbleStops, 3);
    Press(1, 24);
    Press(1, 29);
    EXPECT_TRUE(Run().empty());
    EXPECT_EQ(Pad(1).rumbleStarts, 3);
}

TEST_F(EngineButtons, TwoButtonsOnOneKeyGoUpAtTheFirstRelease) {
    OpenPads(1);
    KeyMap map = engine.Map(1);
    map.B = 'J';
    engine.SetMap(1, map);
    Press(1, 0);
    Press(1, 1);
    EXPECT_EQ(Run(), Downs({'J', 'J'}));
    Release(1, 0);
    EXPECT_EQ(Run(), Ups({'J'}));
    Release(1, 1);
    EXPECT_EQ(Run(), Ups({'J'}));
}

// The Ctrl latch waits, however long, and the first button release of any
// joypad takes it (the hold requests themselves: HoldLatchTest).
TEST_F(EngineButtons, TheCtrlLatchIsTakenByAButtonReleaseOfAnyJoypad) {
    OpenPads(2);
    keys.down.insert(17);
    Run();
    keys.down.clear();
    for (int i = 0; i < 100; ++i) {
        Run();
    }
    EXPECT_TRUE(engine.latches().SkipNextKeyUp);
    Stick(1, 0, 32768);
    Run();
    Stick(1, 32768, 32768);
    EXPECT_EQ(Run(), Ups({'A'})) << "direction releases never take the latch";
    Press(2, 1);
    Run();
    Release(2, 1);
    EXPECT_TRUE(Run().empty());
    EXPECT_FALSE(engine.latches().SkipNextKeyUp);
}

TEST_F(EngineButtons, EnabledCharactersDecideWhichJoypadsAreRead) {
    OpenPads(3);
    struct Case {
        std::string enabled;
        std::vector<OutEvent> expected;
    };
    const Case cases[] = {
        {"1", Downs({'J', 'J', 'J'})},   {"10", Downs({'J', 'J'})},    {"010", Downs({'J'})},
        {"1x0", Downs({'J', 'J'})},      {"", Downs({'J', 'J', 'J'})}, {"000", {}},
        {"191", Downs({'J', 'J', 'J'})},
    };
    for (const Case& c : cases) {
        engine.SetJoypadsEnabled(c.enabled);
        for (int n = 1; n <= 3; ++n) {
            Press(n, 0);
        }
        EXPECT_EQ(Run(), c.expected) << '"' << c.enabled << '"';
        for (int n = 1; n <= 3; ++n) {
            Release(n, 0);
        }
        engine.SetJoypadsEnabled("111");
        Run();
    }
}

TEST_F(EngineButtons, AFailedReadCountsAsAtRestAndReleasesTheJoypadsKeys) {
    OpenPads(2);
    Press(1, 0);
    Press(2, 1);
    Stick(2, 0, 32768);
    EXPECT_EQ(Run(), Downs({'J', 'A', 'K'}));
    Pad(2).readable = false;
    EXPECT_EQ(Run(), Ups({'A', 'K'})) << "joypad 1's state is not mirrored onto joypad 2";
    EXPECT_TRUE(Run().empty());
    Pad(2).readable = true;
    EXPECT_EQ(Run(), Downs({'A', 'K'}));
}

// The desktop reports the keys the engine injected as held too; they must not
// act as the user's Tab, Ctrl or Print Screen.
TEST_F(EngineButtons, KeysTheEngineHoldsItselfAreNotTheUsers) {
    OpenPads(1);
    engine.SetOption(&Options::AllowAutoFire, true);
    for (std::uint8_t key : {std::uint8_t{9}, std::uint8_t{17}, std::uint8_t{44}}) {
        KeyMap map = engine.Map(1);
        map.A = key;
        engine.SetMap(1, map);
        Press(1, 0);
        EXPECT_EQ(Run(), Downs({key}));
        keys.down = {key};
        EXPECT_TRUE(Run().empty());
        keys.down.clear();
        Release(1, 0);
        EXPECT_EQ(Run(), Ups({key})) << int(key);
    }
    EXPECT_FALSE(engine.options().AutoFireActive);
    EXPECT_FALSE(engine.latches().SkipNextKeyUp);
    EXPECT_TRUE(screenshots.paths.empty());
}

TEST_F(EngineButtons, NoJoypadsMeansOnlyTabIsLookedAt) {
    OpenPads(0);
    engine.SetOption(&Options::AllowAutoFire, true);
    keys.down = {44, 9};
    Run();
    EXPECT_TRUE(screenshots.paths.empty());
    EXPECT_TRUE(engine.options().AutoFireActive);
}

TEST_F(EngineButtons, ReleaseAllLetsGoOfEverythingHeldAndClearsTheFlags) {
    OpenPads(2);
    Press(1, 0);
    Stick(2, 65535, 32768);
    Run();
    keys.down.insert(17);
    Press(1, 1);
    Run();
    Release(1, 1);
    Run();  // K stays down through the hold request
    keys.down.clear();
    engine.SetMouseMode(true);
    Press(1, 0);
    Run();  // left mouse button down
    out.Take();

    engine.ReleaseAll();
    auto events = out.Take();
    std::sort(events.begin(), events.end(), [](const OutEvent& a, const OutEvent& b) {
        return a.kind * 1000 + a.vk < b.kind * 1000 + b.vk;
    });
    std::vector<OutEvent> expected = Ups({'D', 'J', 'K'});
    expected.push_back(OutEvent::MouseUp(MouseButton::kLeft));
    EXPECT_EQ(events, expected);
    EXPECT_FALSE(engine.tables().buttonHeld[0][0]);
    EXPECT_FALSE(engine.tables().directionHeld[1][kRight]);
    engine.ReleaseAll();
    EXPECT_TRUE(out.Take().empty()) << "nothing is released twice";
}

}  // namespace
}  // namespace padrix::testing
