#include "EngineRig.h"

namespace padrix::testing {
namespace {

class EngineAutoFire : public EngineRig {
  protected:
    void SetUp() override {
        OpenPads(1);
        engine.SetOption(&Options::AutoFireActive, true);
    }
};

TEST_F(EngineAutoFire, AFreshPressBurstsAtOnceThenHoldsTheKey) {
    Press(1, 0);
    auto expected = Presses('J', 12);
    expected.push_back(OutEvent::Down('J'));
    EXPECT_EQ(Run(), expected);
    Release(1, 0);
    EXPECT_EQ(Run(), Ups({'J'}));
}

TEST_F(EngineAutoFire, HeldButtonsBurstSixtyFourTimesASecondWhateverThePollRate) {
    Press(1, 1);
    Run();
    int bursts = 0;
    for (int ms = 0; ms < 1000; ++ms) {
        const auto events = Run();
        if (!events.empty()) {
            EXPECT_EQ(events, Presses('K', 12));
            ++bursts;
        }
    }
    EXPECT_EQ(bursts, 64);
}

TEST_F(EngineAutoFire, OnlyButtonsZeroToSevenFire) {
    Press(1, 8);
    Press(1, 10);
    EXPECT_EQ(Run(), Downs({'N', 112}));
    for (int ms = 0; ms < 50; ++ms) {
        EXPECT_TRUE(Run().empty());
    }
}

}  // namespace
}  // namespace padrix::testing
