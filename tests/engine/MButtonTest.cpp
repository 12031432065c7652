#include "EngineRig.h"

namespace padrix::testing {
namespace {

constexpr int kM = 9;

class EngineMButton : public EngineRig {
  protected:
    void SetUp() override {
        OpenPads(2);
        engine.SetOption(&Options::UseMAsSelect, false);
    }
    static std::vector<OutEvent> Typed(std::vector<std::pair<std::uint8_t, bool>> keys) {
        std::vector<OutEvent> v;
        for (auto [k, up] : keys) {
            v.push_back(up ? OutEvent::Up(k) : OutEvent::Down(k));
        }
        return v;
    }
};

TEST_F(EngineMButton, MHeldStopsEverythingButJoypadOnesDirections) {
    Press(1, kM);
    Press(1, 5);
    Press(2, 0);
    Stick(1, 0, 32768);
    keys.down.insert(44);
    EXPECT_EQ(Run(), Downs({'A'}));
    EXPECT_TRUE(screenshots.paths.empty());
    Release(1, kM);
    EXPECT_EQ(Run(), Downs({'I', 'J'}));
}

TEST_F(EngineMButton, CombinationsActOnceThenEverySecondRun) {
    struct Case {
        int button;
        std::vector<OutEvent> first;
    };
    const Case cases[] = {
        {0, Presses(27, 1)},
        {2, Presses(13, 1)},
        {4, Typed({{18, false}, {'C', false}, {'C', true}, {18, true}, {13, false}, {13, true}})},
    };
    for (const Case& c : cases) {
        Press(1, kM);
        Press(1, c.button);
        EXPECT_EQ(Run(), c.first) << "button " << c.button;
        EXPECT_EQ(Run(), Ups({'B'})) << "the next run clears the flag with a Select key-up";
        EXPECT_EQ(Run(), c.first);
        Release(1, c.button);
        Release(1, kM);
        Run();
        out.Take();
    }
}

TEST_F(EngineMButton, MPlusStartHoldsSelectUntilStartOrMIsReleased) {
    Press(1, kM);
    Press(1, 8);
    EXPECT_EQ(Run(), Downs({'B'}));
    EXPECT_TRUE(Run().empty());
    Release(1, 8);
    EXPECT_EQ(Run(), Ups({'B'}));

    Press(1, 8);
    EXPECT_EQ(Run(), Downs({'B'}));
    Release(1, kM);
    EXPECT_EQ(Run(), (std::vector<OutEvent>{OutEvent::Down('N'), OutEvent::Up('B')}))
        << "Start now counts as a fresh press, and M's release lets Select go";
    Release(1, 8);
    EXPECT_EQ(Run(), Ups({'N'}));
}

TEST_F(EngineMButton, MWithSelectOnIsJustTheSelectButton) {
    engine.SetOption(&Options::UseMAsSelect, true);
    Press(1, kM);
    Press(1, 0);
    EXPECT_EQ(Run(), Downs({'J', 'B'}));
    EXPECT_FALSE(engine.latches().MouseMode);
}

TEST_F(EngineMButton, MPushedUpSetsTheHoldRequestOnly) {
    Press(1, kM);
    Stick(1, 32768, 0);
    EXPECT_EQ(Run(), Downs({'W'}));
    EXPECT_TRUE(engine.latches().SkipNextKeyUp);
}

TEST_F(EngineMButton, MPlusBAndXEnterMouseModeWithTheirMenuKeys) {
    const auto menuUp = [this](std::uint8_t letter) {
        return Typed({{18, false},
                      {letter, false},
                      {letter, true},
                      {18, true},
                      {38, false},
                      {38, true},
                      {13, false},
                      {13, true}});
    };
    Press(1, kM);
    Press(1, 1);
    EXPECT_EQ(Run(), menuUp('E'));
    EXPECT_TRUE(engine.latches().MouseMode);
    EXPECT_TRUE(timer.intervals.empty());

    engine.SetMouseMode(false);
    Release(1, 1);
    Release(1, kM);
    Run();
    out.Take();
    Press(1, kM);
    Press(1, 3);
    EXPECT_EQ(Run(), menuUp('C'));
    EXPECT_TRUE(engine.latches().MouseMode);
}

TEST_F(EngineMButton, MPlusRSwitchesWindowsAndSlowsTheTimer) {
    Press(1, kM);
    Press(1, 7);
    const std::vector<OutEvent> altTab = {OutEvent::Down(18), OutEvent::Down(9), OutEvent::Up(9),
                                          OutEvent::Up(18)};
    EXPECT_EQ(Run(), altTab);
    EXPECT_TRUE(engine.latches().MouseMode);
    EXPECT_EQ(timer.intervals, std::vector<int>{5});
    EXPECT_FALSE(engine.tables().buttonHeld[0][kM]);
}

TEST_F(EngineMButton, RawEventsNeverCarryScanCodesEvenInDosMode) {
    engine.SetOption(&Options::DosMode, true);
    Press(1, kM);
    Press(1, 7);
    for (const OutEvent& e : Run()) {
        EXPECT_EQ(e.scan, 0);
    }
}

}  // namespace
}  // namespace padrix::testing
