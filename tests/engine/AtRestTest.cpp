#include <functional>

#include "EngineRig.h"
#include "engine/VirtualKeys.h"

namespace padrix::testing {
namespace {

class EngineAtRest : public EngineRig {
  protected:
    void SetUp() override { OpenPads(2); }
    void Reset() {
        Pad(1).state = JoyState::AtRest();
        Pad(2).state = JoyState::AtRest();
        keys.down.clear();
        engine.SetOptions(Options{});
        engine.SetOption(&Options::RumbleType, kRumbleNever);
        engine.ResetLatches();
        engine.ReleaseAll();
        Run();
        out.Take();
    }
};

TEST_F(EngineAtRest, AnythingHeldOrActiveKeepsTheEngineAwake) {
    struct Case {
        const char* what;
        std::function<void()> act;
    };
    const Case cases[] = {
        {"button of pad 2", [this] { Press(2, 5); }},
        {"button 21, which has no key",
         [this] {
             engine.AttachJoypad(1, controllers.OpenJoypad(1, true), 23);
             Press(1, 21);
         }},
        {"stick left", [this] { Stick(1, 0, kAxisCentre); }},
        {"stick a step below the centre", [this] { Stick(2, kAxisCentre, 32767); }},
        {"Tab held", [this] { keys.down.insert(vk::Tab); }},
        {"Ctrl held", [this] { keys.down.insert(vk::Control); }},
        {"Print Screen held", [this] { keys.down.insert(vk::Snapshot); }},
        {"continuous polling", [this] { engine.SetOption(&Options::MaxPollRate, true); }},
        {"mouse mode", [this] { engine.SetMouseMode(true); }},
        {"M held as a modifier",
         [this] {
             engine.SetOption(&Options::UseMAsSelect, false);
             Press(1, 9);
         }},
        {"the run that left mouse mode",
         [this] {
             engine.SetMouseMode(true);
             Press(1, 2);
         }},
        {"M+Start holding Select",
         [this] {
             engine.SetOption(&Options::UseMAsSelect, false);
             Press(1, 9);
             Press(1, 8);
         }},
    };
    for (const Case& c : cases) {
        Reset();
        ASSERT_TRUE(engine.IsAtRest()) << c.what;
        c.act();
        Run();
        EXPECT_FALSE(engine.IsAtRest()) << c.what;
    }
}

TEST_F(EngineAtRest, ReleasedEverythingTheEngineRestsAgain) {
    Press(1, 0);
    Stick(2, kAxisMax, 0);
    Run();
    ASSERT_FALSE(engine.IsAtRest());
    Release(1, 0);
    Stick(2, kAxisCentre, kAxisCentre);
    Run();
    EXPECT_TRUE(engine.IsAtRest());
}

// The engine's own key-down of a mapped Tab or Ctrl is not the user's.
TEST_F(EngineAtRest, KeysTheEngineHoldsItselfDoNotCount) {
    KeyMap map = engine.Map(1);
    map.A = vk::Control;
    engine.SetMap(1, map);
    Press(1, 0);
    Run();
    keys.down.insert(vk::Control);  // what the desktop reports now
    Release(1, 0);
    engine.ArmSkipNextKeyUp();  // the key stays down
    Run();
    EXPECT_TRUE(engine.output().Holds(vk::Control));
    EXPECT_TRUE(engine.IsAtRest());
}

// Paced effects start their rate with the first run after rest, so that
// the runs made while nothing happened do not matter.
TEST_F(EngineAtRest, PacingStartsAfreshWithTheFirstRunAfterRest) {
    engine.SetOption(&Options::AutoFireActive, true);
    for (int idleRuns : {0, 1, 7, 40}) {
        for (int i = 0; i < idleRuns; ++i) {
            Run();
        }
        Press(1, 0);
        Run();
        std::vector<int> bursts;
        for (int ms = 1; ms <= 40; ++ms) {
            if (!Run().empty()) {
                bursts.push_back(ms);
            }
        }
        EXPECT_EQ(bursts, (std::vector<int>{16, 32})) << idleRuns << " idle runs";
        Release(1, 0);
        Run();
    }
}

}  // namespace
}  // namespace padrix::testing
