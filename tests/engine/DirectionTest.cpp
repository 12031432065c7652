#include "EngineRig.h"

namespace padrix::testing {
namespace {

class EngineDirections : public EngineRig {
  protected:
    void SetUp() override { OpenPads(1); }
};

TEST_F(EngineDirections, OnlyTheExactCentreIsCentre) {
    struct Case {
        std::int32_t x, y;
        std::vector<OutEvent> expected;
    };
    const Case cases[] = {
        {32767, 32768, Downs({'A'})}, {32769, 32768, Downs({'D'})},  {32768, 32767, Downs({'W'})},
        {32768, 32769, Downs({'S'})}, {0, 65535, Downs({'A', 'S'})}, {32768, 32768, {}},
    };
    for (const Case& c : cases) {
        Stick(1, c.x, c.y);
        EXPECT_EQ(Run(), c.expected) << c.x << "," << c.y;
        Stick(1, 32768, 32768);
        Run();
    }
}

TEST_F(EngineDirections, CrossingToTheOtherSideKeepsTheFirstKeyUntilCentre) {
    Stick(1, 0, 32768);
    EXPECT_EQ(Run(), Downs({'A'}));
    Stick(1, 65535, 32768);
    EXPECT_EQ(Run(), Downs({'D'}));
    Stick(1, 0, 32768);
    EXPECT_TRUE(Run().empty());
    Stick(1, 32768, 32768);
    EXPECT_EQ(Run(), Ups({'A', 'D'}));
    Stick(1, 32768, 0);
    Run();
    Stick(1, 32768, 65535);
    EXPECT_EQ(Run(), Downs({'S'}));
    Stick(1, 32768, 32768);
    EXPECT_EQ(Run(), Ups({'W', 'S'}));
}

TEST_F(EngineDirections, LogitechPatchSuppressesLeftAndDownAtTheDiagonalCorner) {
    engine.SetOption(&Options::LogitechPatch, true);
    Stick(1, 100, 0);
    EXPECT_EQ(Run(), Downs({'W'}));
    EXPECT_TRUE(engine.tables().directionHeld[0][kLeft]);
    Stick(1, 32768, 32768);
    EXPECT_EQ(Run(), Ups({'A', 'W'}));

    Stick(1, 0, 40000);
    EXPECT_EQ(Run(), Downs({'A'}));
    EXPECT_TRUE(engine.tables().directionHeld[0][kDown]);

    engine.SetOption(&Options::LogitechPatch, false);
    Stick(1, 32768, 32768);
    Run();
    Stick(1, 100, 0);
    EXPECT_EQ(Run(), Downs({'A', 'W'}));
}

TEST_F(EngineDirections, TabHeldWithAutoFireAllowedSuspendsReading) {
    engine.SetOption(&Options::AllowAutoFire, true);
    keys.down.insert(9);
    Stick(1, 0, 32768);
    EXPECT_TRUE(Run().empty());
    EXPECT_TRUE(engine.options().AutoFireActive);
    EXPECT_TRUE(out.scrollLock);
    EXPECT_TRUE(Run().empty());
    EXPECT_TRUE(engine.options().AutoFireActive) << "switches once per Tab press";
    keys.down.clear();
    EXPECT_EQ(Run(), Downs({'A'}));
    keys.down.insert(9);
    Run();
    EXPECT_FALSE(engine.options().AutoFireActive);
    EXPECT_FALSE(out.scrollLock);

    engine.SetOption(&Options::AllowAutoFire, false);
    Stick(1, 32768, 32768);
    EXPECT_EQ(Run(), Ups({'A'})) << "Tab is ignored when auto-fire is not allowed";
    EXPECT_FALSE(engine.options().AutoFireActive);
}

}  // namespace
}  // namespace padrix::testing
