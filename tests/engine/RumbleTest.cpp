#include "EngineRig.h"

namespace padrix::testing {
namespace {

class EngineRumble : public EngineRig {
  protected:
    void SetUp() override { OpenPads(2); }
    void Tap(int n, int b) {
        Press(n, b);
        Run();
        Release(n, b);
        Run();
    }
};

TEST_F(EngineRumble, AlwaysStartsForButtonsZeroToSevenAndEveryReleaseStops) {
    engine.SetOption(&Options::RumbleType, kRumbleAlways);
    for (int b : {0, 7}) {
        Tap(1, b);
    }
    EXPECT_EQ(Pad(1).rumbleStarts, 2);
    for (int b : {8, 9, 10, 11}) {
        Tap(1, b);
    }
    EXPECT_EQ(Pad(1).rumbleStarts, 2);
    EXPECT_EQ(Pad(1).rumbleStops, 6);
    Stick(1, 0, 0);
    Run();
    EXPECT_EQ(Pad(1).rumbleStarts, 2) << "directions never rumble";
}

TEST_F(EngineRumble, RandomStartsAboveNinetyFivePercent) {
    engine.SetOption(&Options::RumbleType, kRumbleRandom);
    random.script = {0.95f, 0.9500001f, 0.2f};
    Tap(1, 0);
    Tap(1, 0);
    Tap(1, 0);
    EXPECT_EQ(Pad(1).rumbleStarts, 1);
}

TEST_F(EngineRumble, StressedNeedsOneButtonOverAndOver) {
    engine.SetOption(&Options::RumbleType, kRumbleStressed);
    random.fallback = 0.999f;
    // Alternating buttons, on either joypad, never rumble.
    for (int i = 0; i < 100; ++i) {
        Tap(1 + i % 2, i % 2);
    }
    EXPECT_EQ(Pad(1).rumbleStarts + Pad(2).rumbleStarts, 0);

    Tap(1, 5);  // recorded, not counted
    for (int i = 0; i < 79; ++i) {
        Tap(1 + i % 2, 5);
    }
    EXPECT_EQ(Pad(1).rumbleStarts + Pad(2).rumbleStarts, 0);
    Tap(2, 5);
    EXPECT_EQ(Pad(2).rumbleStarts, 1) << "the 80th counted press rumbles";
    EXPECT_EQ(engine.latches().StressCount, 0);
}

TEST_F(EngineRumble, StressedCanFireFromThirtyOne) {
    engine.SetOption(&Options::RumbleType, kRumbleStressed);
    random.fallback = 0.0f;
    Tap(1, 2);
    for (int i = 0; i < 30; ++i) {
        Tap(1, 2);
    }
    EXPECT_EQ(Pad(1).rumbleStarts, 0);
    Tap(1, 2);
    EXPECT_EQ(Pad(1).rumbleStarts, 1);
}

TEST_F(EngineRumble, OutOfRangeModesNeverRumble) {
    for (std::int16_t mode : {std::int16_t{-1}, std::int16_t{4}, std::int16_t{0}}) {
        engine.SetOption(&Options::RumbleType, mode);
        Tap(1, 0);
    }
    EXPECT_EQ(Pad(1).rumbleStarts, 0);
    EXPECT_EQ(random.draws, 0);
}

}  // namespace
}  // namespace padrix::testing
