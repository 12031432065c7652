#include "EngineRig.h"

namespace padrix::testing {
namespace {

constexpr int kM = 9;

class EngineMouseMode : public EngineRig {
  protected:
    void SetUp() override {
        OpenPads(2);
        engine.SetOption(&Options::UseMAsSelect, false);
        engine.SetMouseMode(true);
    }
    // Runs until the pointer has moved `steps` times (they are paced).
    std::vector<OutEvent> Steps(int steps) {
        std::vector<OutEvent> moves;
        while (static_cast<int>(moves.size()) < steps) {
            for (const OutEvent& e : Run()) {
                if (e.kind == OutEvent::kCursor) {
                    moves.push_back(e);
                }
            }
        }
        return moves;
    }
};

TEST_F(EngineMouseMode, PointerAcceleratesAndKeepsItsSpeedAfterCentring) {
    Stick(1, 0, 65535);
    EXPECT_EQ(Steps(3), (std::vector<OutEvent>{OutEvent::Cursor(99, 101), OutEvent::Cursor(97, 103),
                                               OutEvent::Cursor(94, 106)}));
    Stick(1, 32768, 32768);
    for (int i = 0; i < 50; ++i) {
        EXPECT_TRUE(Run().empty());
    }
    Stick(1, 0, 32768);
    EXPECT_EQ(Steps(1), std::vector<OutEvent>{OutEvent::Cursor(90, 106)});
    Stick(1, 65535, 32768);
    EXPECT_EQ(Steps(1), std::vector<OutEvent>{OutEvent::Cursor(91, 106)})
        << "the other side restarts at 1";
    EXPECT_TRUE(engine.tables().directionHeld[0] == (std::array<bool, 4>{})) << "no keyboard flags";
}

TEST_F(EngineMouseMode, PointerMovesSixtyFourTimesASecond) {
    Stick(1, 65535, 32768);
    int moves = 0;
    for (int ms = 0; ms < 1000; ++ms) {
        moves += static_cast<int>(Run().size());
    }
    EXPECT_EQ(moves, 64);
}

TEST_F(EngineMouseMode, ButtonsZeroAndOneClickOnEveryRun) {
    Press(1, 1);
    EXPECT_EQ(Run(), std::vector<OutEvent>{OutEvent::MouseDown(MouseButton::kRight)});
    EXPECT_TRUE(Run().empty());
    Release(1, 1);
    Press(2, 0);
    EXPECT_EQ(Run(), (std::vector<OutEvent>{OutEvent::MouseDown(MouseButton::kLeft),
                                            OutEvent::MouseUp(MouseButton::kRight)}));
}

TEST_F(EngineMouseMode, AButtonHeldOnOneJoypadIsNotReleasedByAnother) {
    Press(1, 0);
    EXPECT_EQ(Run(), std::vector<OutEvent>{OutEvent::MouseDown(MouseButton::kLeft)});
    for (int i = 0; i < 10; ++i) {
        EXPECT_TRUE(Run().empty());
    }
    Press(2, 0);
    Release(1, 0);
    EXPECT_TRUE(Run().empty());
    Release(2, 0);
    EXPECT_EQ(Run(), std::vector<OutEvent>{OutEvent::MouseUp(MouseButton::kLeft)});
}

TEST_F(EngineMouseMode, ButtonsTwoToTwelveLeaveAndTheNextRunSeesAFreshPress) {
    Press(1, 3);
    EXPECT_TRUE(Run().empty());
    EXPECT_FALSE(engine.latches().MouseMode);
    EXPECT_EQ(timer.intervals, std::vector<int>{1});
    EXPECT_EQ(Run(), Downs({'2'}));
}

TEST_F(EngineMouseMode, AMouseButtonHeldWhenLeavingGetsItsUpInTheNextPeriod) {
    Press(1, 0);
    Run();
    Press(1, 4);
    Run();
    EXPECT_FALSE(engine.latches().MouseMode);
    Release(1, 0);
    EXPECT_EQ(Run(), Downs({'0'})) << "no mouse-up outside mouse mode";
    Release(1, 4);
    Run();
    engine.SetMouseMode(true);
    EXPECT_EQ(Run(), std::vector<OutEvent>{OutEvent::MouseUp(MouseButton::kLeft)});
}

TEST_F(EngineMouseMode, MHeldEndsTheStepBeforeButtonsAndLaterJoypads) {
    Press(1, kM);
    Press(1, 0);
    Press(2, 0);
    Stick(2, 65535, 32768);
    EXPECT_TRUE(Run().empty());
    EXPECT_FALSE(engine.latches().MouseButtonHeld[0]);
}

TEST_F(EngineMouseMode, OnlyAnExactOneEnablesAJoypad) {
    engine.SetJoypadsEnabled("x");
    Press(1, 0);
    Press(2, 1);
    EXPECT_TRUE(Run().empty());
}

TEST_F(EngineMouseMode, ButtonsAboveTwelveAreIgnored) {
    Pad(1).buttonCount = 16;
    engine.AttachJoypad(1, controllers.OpenJoypad(1, true), 15);
    Press(1, 13);
    Press(1, 15);
    Run();
    EXPECT_TRUE(engine.latches().MouseMode);
}

TEST_F(EngineMouseMode, MPlusBLeadsStraightIntoMouseMode) {
    engine.SetMouseMode(false);
    Press(1, kM);
    Press(1, 1);
    Run();
    Release(1, kM);
    EXPECT_EQ(Run(), std::vector<OutEvent>{OutEvent::MouseDown(MouseButton::kRight)})
        << "no key for B";
    Release(1, 1);
    EXPECT_EQ(Run(), std::vector<OutEvent>{OutEvent::MouseUp(MouseButton::kRight)});
}

}  // namespace
}  // namespace padrix::testing
