#include <cctype>
#include <sstream>

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
    // "+18 +C -C -18": keys down (+) and up (-), a letter for its key, digits
    // for a virtual-key code.
    static std::vector<OutEvent> Typed(const std::string& keys) {
        std::vector<OutEvent> v;
        std::istringstream tokens(keys);
        for (std::string t; tokens >> t;) {
            const auto vk = static_cast<std::uint8_t>(
                std::isalpha(static_cast<unsigned char>(t[1])) ? t[1] : std::stoi(t.substr(1)));
            v.push_back(t[0] == '+' ? OutEvent::Down(vk) : OutEvent::Up(vk));
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
        {4, Typed("+18 +C -C -18 +13 -13")},
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
    EXPECT_EQ(Run(), Typed("+N -B"))
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
    Press(1, kM);
    Press(1, 1);
    EXPECT_EQ(Run(), Typed("+18 +E -E -18 +38 -38 +13 -13"));
    EXPECT_TRUE(engine.latches().MouseMode);
    EXPECT_TRUE(timer.intervals.empty());

    engine.SetMouseMode(false);
    Release(1, 1);
    Release(1, kM);
    Run();
    out.Take();
    Press(1, kM);
    Press(1, 3);
    EXPECT_EQ(Run(), Typed("+18 +C -C -18 +38 -38 +13 -13"));
    EXPECT_TRUE(engine.latches().MouseMode);
}

TEST_F(EngineMButton, MPlusRSwitchesWindowsAndSlowsTheTimer) {
    Press(1, kM);
    Press(1, 7);
    EXPECT_EQ(Run(), Typed("+18 +9 -9 -18"));
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
