#include <fcntl.h>
#include <unistd.h>

#include "AppRig.h"
#include "settings/InputSettings.h"

namespace padrix {
namespace {

using testing::AppRig;

// A pipe whose reading end stands for a doorbell or the key events.
struct Bell {
    int fds[2] = {-1, -1};
    Bell() { EXPECT_EQ(pipe2(fds, O_NONBLOCK | O_CLOEXEC), 0); }
    ~Bell() {
        close(fds[0]);
        close(fds[1]);
    }
    int reader() const { return fds[0]; }
    void Ring() const { EXPECT_EQ(write(fds[1], "ding", 4), 4); }
};

// The tray with joypads whose doorbells are pipes and keys that come as
// events, started and left alone until the wake rule lets it idle.
class AppWake : public ::testing::Test {
  protected:
    AppRig rig;
    Bell keyBell;
    std::vector<std::unique_ptr<Bell>> bells;

    TrayApplication& Start(int pads, bool doorbells = true, bool keyEvents = true) {
        rig.settings->SaveSetting("Custom", "VGSStartUp", "False");
        for (int n = 0; n < pads; ++n) {
            auto pad = rig.controllers.Add("Pad");
            bells.push_back(std::make_unique<Bell>());
            pad->doorbell = doorbells ? bells.back()->reader() : -1;
        }
        rig.keys.eventFd = keyEvents ? keyBell.reader() : -1;
        return rig.Start();
    }
    fakes::PadState& Pad(int n) { return *rig.controllers.pads[static_cast<std::size_t>(n - 1)]; }
    bool Idle() {
        return QTest::qWaitFor([this] { return !rig.form->pollingTimer().Precise(); }, 5000);
    }
    // Lets everything pending happen, without waiting for more.
    static void Settle() {
        for (int i = 0; i < 20; ++i) {
            QCoreApplication::processEvents();
        }
    }
    int ReadsAfter(const std::function<void()>& ring) {
        const int before = Pad(1).reads;
        ring();
        EXPECT_TRUE(QTest::qWaitFor([&] { return Pad(1).reads > before; }, 5000));
        Settle();
        return Pad(1).reads - before;
    }
};

// Several rings at once run the cycle once; a held button keeps the precise
// timer until its release; unchecking "Enabled" stops every wake.
TEST_F(AppWake, RingsRunTheCycleOnceAHeldButtonKeepsPollingAndDisablingStopsAll) {
    Start(2);
    ASSERT_TRUE(Idle());
    EXPECT_TRUE(rig.form->pollingTimer().Housekeeping());
    EXPECT_EQ(ReadsAfter([&] { bells[0]->Ring(); }), 1);
    EXPECT_EQ(ReadsAfter([&] { keyBell.Ring(); }), 1);
    EXPECT_EQ(ReadsAfter([&] {
                  bells[0]->Ring();
                  bells[1]->Ring();
                  keyBell.Ring();
              }),
              1);
    EXPECT_FALSE(rig.form->pollingTimer().Precise());

    Pad(1).state.buttons[0] = 0x80;
    bells[0]->Ring();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !rig.output.events.empty(); }, 5000));
    const int held = Pad(1).reads;
    EXPECT_TRUE(QTest::qWaitFor([&] { return Pad(1).reads > held + 20; }, 5000));
    EXPECT_TRUE(rig.form->pollingTimer().Precise());
    Pad(1).state.buttons[0] = 0;
    bells[0]->Ring();
    EXPECT_TRUE(Idle());
    EXPECT_EQ(rig.output.events.size(), 2u) << "key down and key up";

    rig.form->Choose(MenuEntry::Enabled);
    EXPECT_FALSE(rig.form->pollingTimer().Enabled());
    EXPECT_FALSE(rig.form->pollingTimer().Housekeeping());
    const int reads = Pad(1).reads;
    bells[0]->Ring();
    keyBell.Ring();
    Settle();
    EXPECT_EQ(Pad(1).reads, reads);
}

TEST_F(AppWake, TheHousekeepingTickFollowsAControllerThatCameBack) {
    Start(1);
    ASSERT_TRUE(Idle());
    Pad(1).readable = false;  // unplugged: its doorbell is gone
    Pad(1).doorbell = -1;
    bells[0]->Ring();
    ASSERT_TRUE(Idle());
    Bell returned;
    Pad(1).readable = true;
    Pad(1).doorbell = returned.reader();
    const int reads = Pad(1).reads;
    ASSERT_TRUE(QTest::qWaitFor([&] { return Pad(1).reads > reads; }, 5000)) << "housekeeping";
    Settle();
    Pad(1).state.buttons[1] = 0x80;
    returned.Ring();
    EXPECT_TRUE(QTest::qWaitFor([&] { return !rig.output.events.empty(); }, 200))
        << "the new doorbell wakes the cycle long before the next housekeeping tick";
}

// A joypad without a doorbell, keys without events or the stored timer mode
// keep the one millisecond timer (the dead zones read at start are the session's).
struct TimerCase {
    const char* what;
    bool doorbells;
    bool keyEvents;
    const char* polling;
    friend void PrintTo(const TimerCase& c, std::ostream* os) { *os << c.what; }
};

class AppWakeTimer : public AppWake, public ::testing::WithParamInterface<TimerCase> {};

TEST_P(AppWakeTimer, KeepsTheOneMillisecondTimer) {
    const TimerCase& c = GetParam();
    rig.settings->SaveSetting("Custom", "Polling", c.polling);
    Start(1, c.doorbells, c.keyEvents);
    EXPECT_EQ(rig.form->pollingTimer().Mode(),
              std::string(c.polling) == "Timer" ? PollingMode::kTimer : PollingMode::kEvents);
    const int reads = Pad(1).reads;
    EXPECT_TRUE(QTest::qWaitFor([&] { return Pad(1).reads > reads + 50; }, 5000));
    EXPECT_TRUE(rig.form->pollingTimer().Precise());
}

INSTANTIATE_TEST_SUITE_P(Wake, AppWakeTimer,
                         ::testing::Values(TimerCase{"no doorbell", false, true, "Events"},
                                           TimerCase{"no key events", true, false, "Events"},
                                           TimerCase{"stored timer mode", true, true, "Timer"}));

}  // namespace
}  // namespace padrix
