#include <functional>

#include "EngineRig.h"
#include "engine/VirtualKeys.h"

namespace padrix::testing {
namespace {

constexpr int kM = 9;

// The two hold requests: Ctrl on the keyboard, and M with joypad 2 pushed up
// (joypad 1's own M would stop its buttons from being read).
class EngineHoldLatch : public EngineRig, public ::testing::WithParamInterface<const char*> {
  protected:
    void SetUp() override {
        OpenPads(2);
        engine.SetOption(&Options::UseMAsSelect, false);
    }
    void Take() {
        if (Ctrl()) {
            keys.down.insert(vk::Control);
        } else {
            Press(2, kM);
            Stick(2, 32768, 0);
        }
    }
    void LetGo() {
        if (Ctrl()) {
            keys.down.erase(vk::Control);
        } else {
            Release(2, kM);
            Stick(2, 32768, 32768);
        }
    }
    bool Ctrl() const { return std::string(GetParam()) == "Ctrl"; }
    // One run; only the events of button 0's key, J.
    std::vector<OutEvent> RunJ() {
        std::vector<OutEvent> j;
        for (const OutEvent& e : Run()) {
            if (e.vk == 'J') {
                j.push_back(e);
            }
        }
        return j;
    }
    void PressAndReleaseA(const std::vector<OutEvent>& atRelease, const char* what) {
        Press(1, 0);
        EXPECT_EQ(RunJ(), Downs({'J'})) << what;
        Release(1, 0);
        EXPECT_EQ(RunJ(), atRelease) << what;
    }
};

TEST_P(EngineHoldLatch, HeldAcrossAReleaseItKeepsThatKeyDownOnceOnly) {
    Press(1, 0);
    EXPECT_EQ(RunJ(), Downs({'J'}));
    Take();
    EXPECT_TRUE(RunJ().empty());
    Release(1, 0);
    EXPECT_TRUE(RunJ().empty()) << "the key stays down";
    for (int i = 0; i < 20; ++i) {
        EXPECT_TRUE(RunJ().empty());
    }
    LetGo();
    RunJ();
    EXPECT_FALSE(engine.latches().SkipNextKeyUp) << "a long hold arms the latch once";
    PressAndReleaseA(Ups({'J'}), "the next press and release send both");
}

TEST_P(EngineHoldLatch, TappedWithNoButtonHeldTheNextReleaseIsSwallowed) {
    Take();
    RunJ();
    LetGo();
    for (int i = 0; i < 50; ++i) {
        RunJ();
    }
    EXPECT_TRUE(engine.latches().SkipNextKeyUp) << "the latch waits however long";
    PressAndReleaseA({}, "swallowed");
    PressAndReleaseA(Ups({'J'}), "pressed again");
}

TEST_P(EngineHoldLatch, TakenAgainAfterLettingGoItArmsAgain) {
    Take();
    RunJ();
    PressAndReleaseA({}, "first hold");
    LetGo();
    RunJ();
    Take();
    RunJ();
    PressAndReleaseA({}, "second hold");
    PressAndReleaseA(Ups({'J'}), "still the second hold, already used");
}

INSTANTIATE_TEST_SUITE_P(Requests, EngineHoldLatch, ::testing::Values("Ctrl", "MWithUp"));

}  // namespace
}  // namespace padrix::testing
