#include <gtest/gtest.h>

#include "WakeSim.h"
#include "engine/VirtualKeys.h"

namespace padrix::testing {
namespace {

// At rest only the housekeeping tick runs the cycle, four times a second.
TEST(WakeRule, ADoorbellRunsTheCycleOnceAndAtRestOnlyTheHousekeepingTickRunsIt) {
    WakeWorld w(PollingMode::kEvents);
    w.Step({});  // the first tick after enabling looks once
    ASSERT_FALSE(w.timers.precise());
    const int before = w.cycles;
    w.Step([](WakeWorld&) {});
    EXPECT_EQ(w.cycles, before + 1);
    for (int ms = 0; ms < 1000; ++ms) {
        w.Step({});
    }
    EXPECT_EQ(w.cycles, before + 1 + 4);
}

TEST(WakeRule, ThePreciseTimerRunsExactlyWhileSomethingIsActive) {
    struct Case {
        const char* what;
        std::function<void(WakeWorld&, bool)> set;
    };
    const Case cases[] = {
        {"button", [](WakeWorld& w, bool on) { w.Pad(2).state.buttons[3] = on ? 0x80 : 0; }},
        {"direction", [](WakeWorld& w, bool on) { w.Pad(1).state.y = on ? 0 : kAxisCentre; }},
        {"Ctrl",
         [](WakeWorld& w, bool on) {
             if (on) {
                 w.keys.down.insert(vk::Control);
             } else {
                 w.keys.down.erase(vk::Control);
             }
         }},
    };
    for (const Case& c : cases) {
        WakeWorld w(PollingMode::kEvents);
        w.Step({});
        w.Step([&](WakeWorld& x) { c.set(x, true); });
        EXPECT_TRUE(w.timers.precise()) << c.what;
        EXPECT_FALSE(w.timers.housekeeping()) << c.what;
        const int held = w.cycles;
        for (int ms = 0; ms < 10; ++ms) {
            w.Step({});
        }
        EXPECT_EQ(w.cycles, held + 10) << c.what << ": a run every millisecond";
        w.Step([&](WakeWorld& x) { c.set(x, false); });
        EXPECT_FALSE(w.timers.precise()) << c.what;
        EXPECT_TRUE(w.timers.housekeeping()) << c.what;
    }
}

TEST(WakeRule, TheTimerModeRunsEveryMillisecondAndIgnoresRings) {
    WakeWorld w(PollingMode::kTimer);
    for (int ms = 0; ms < 100; ++ms) {
        w.Step(ms % 10 == 0 ? std::function<void(WakeWorld&)>([](WakeWorld&) {}) : nullptr);
    }
    EXPECT_EQ(w.cycles, 100);
    EXPECT_FALSE(w.timers.housekeeping());
}

TEST(WakeRule, DisabledNothingRunsAndEnabledTheFirstTickLooks) {
    WakeWorld w(PollingMode::kEvents);
    w.rule.SetEnabled(false);
    EXPECT_FALSE(w.timers.precise());
    EXPECT_FALSE(w.timers.housekeeping());
    for (int ms = 0; ms < 300; ++ms) {
        w.Step([](WakeWorld& x) { x.Pad(1).state.buttons[0] = 0x80; });
    }
    EXPECT_EQ(w.cycles, 0);
    EXPECT_TRUE(w.output.events.empty());
    w.rule.SetEnabled(true);
    w.Step({});
    EXPECT_EQ(w.cycles, 1);
    EXPECT_FALSE(w.output.events.empty()) << "the held button is seen";
}

// Without doorbells or key events the program may never idle.
TEST(WakeRule, WhatCannotRingKeepsThePreciseTimer) {
    WakeWorld w(PollingMode::kEvents);
    w.rule.SetCycle([&w] { ++w.cycles; }, [] { return false; });
    for (int ms = 0; ms < 50; ++ms) {
        w.Step({});
    }
    EXPECT_EQ(w.cycles, 50);
    EXPECT_TRUE(w.timers.precise());
}

}  // namespace
}  // namespace padrix::testing
