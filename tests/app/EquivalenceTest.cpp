#include <gtest/gtest.h>

#include <map>

#include "WakeSim.h"
#include "engine/VirtualKeys.h"

namespace padrix::testing {
namespace {

using Change = std::function<void(WakeWorld&)>;

Change Button(int pad, int b, bool down) {
    return [=](WakeWorld& w) {
        w.Pad(pad).state.buttons[static_cast<std::size_t>(b)] = down ? 0x80 : 0;
    };
}
Change Axes(int pad, std::int32_t x, std::int32_t y) {
    return [=](WakeWorld& w) {
        w.Pad(pad).state.x = x;
        w.Pad(pad).state.y = y;
    };
}
Change Key(std::uint8_t vk, bool down) {
    return [=](WakeWorld& w) {
        if (down) {
            w.keys.down.insert(vk);
        } else {
            w.keys.down.erase(vk);
        }
    };
}
Change Plugged(int pad, bool plugged) {
    return [=](WakeWorld& w) {
        w.Pad(pad).readable = plugged;
        w.Pad(pad).state = JoyState::AtRest();
    };
}

// Changes on a 5 ms grid, so that they meet the ticks of mouse mode's 5 ms
// timer in both modes as well as the 1 ms ones.
const std::multimap<int, Change>& Script() {
    constexpr std::int32_t kC = kAxisCentre;
    static const std::multimap<int, Change> script{
        {10, Button(1, 0, true)},
        {40, Button(1, 0, false)},
        {50, Axes(1, 0, kC)},
        {80, Axes(1, kAxisMax, kC)},  // left straight to right
        {100, Axes(1, kC, kC)},
        {120, Axes(2, kC, 0)},
        {125, Button(2, 2, true)},
        {150, Axes(2, kC, kC)},
        {160, Button(2, 2, false)},
        {200, Key(vk::Tab, true)},  // auto-fire on
        {215, Key(vk::Tab, false)},
        {220, Button(1, 1, true)},  // bursts while held
        {300, Button(1, 1, false)},
        {310, Key(vk::Control, true)},
        {315, Button(1, 3, true)},
        {320, Key(vk::Control, false)},
        {330, Button(1, 3, false)},
        {340, Button(1, 3, true)},
        {350, Button(1, 3, false)},
        {360, Key(vk::Snapshot, true)},
        {400, Key(vk::Snapshot, false)},
        {410, Button(1, 9, true)},
        {415, Button(1, 0, true)},  // M+A: Escape
        {420, Button(1, 0, false)},
        {425, Button(1, 8, true)},  // M+Start: Select held
        {440, Button(1, 8, false)},
        {445, Button(1, 9, false)},
        {450, Button(1, 9, true)},
        {455, Button(1, 7, true)},  // M+R: mouse mode
        {460, Button(1, 7, false)},
        {465, Button(1, 9, false)},
        {470, Axes(1, 0, kAxisMax)},
        {520, Axes(1, kC, kC)},
        {525, Button(1, 0, true)},
        {535, Button(1, 0, false)},
        {540, Button(1, 2, true)},
        {545, Button(1, 2, false)},  // back to keys
        {560, Button(2, 5, true)},
        {580, Plugged(2, false)},
        {600, Plugged(2, true)},
        {620, Button(2, 4, true)},
        {640, Button(2, 4, false)},
        {650, Axes(2, 0, kC)},
        {665, Axes(2, kC, kC)},
    };
    return script;
}

// The script, then two seconds of rest.
constexpr int kRunMs = 3000;

struct Outcome {
    std::vector<fakes::OutEvent> events;
    std::vector<std::string> screenshots;
    std::vector<int> rumbles;
    int cycles = 0;
};

Outcome Drive(PollingMode mode) {
    WakeWorld w(mode);
    for (int n = 1; n <= 2; ++n) {
        KeyMap map{};
        std::uint8_t key = static_cast<std::uint8_t>(n == 1 ? 'A' : 'a');
        for (std::uint8_t* k : {&map.Left, &map.Right, &map.Up, &map.Down, &map.A, &map.B, &map.C,
                                &map.X, &map.Y, &map.Z, &map.L, &map.R, &map.Start, &map.Select}) {
            *k = key++;
        }
        map.EscapeKey = vk::Escape;
        w.engine.SetMap(n, map);
    }
    w.engine.SetOption(&Options::AllowAutoFire, true);
    w.engine.SetOption(&Options::UseMAsSelect, false);
    w.engine.SetOption(&Options::RumbleType, kRumbleAlways);
    const auto& script = Script();
    for (int ms = 1; ms <= kRunMs; ++ms) {
        const auto [first, last] = script.equal_range(ms);
        w.Step(first == last ? Change() : [first, last](WakeWorld& x) {
            for (auto it = first; it != last; ++it) {
                it->second(x);
            }
        });
    }
    return {
        w.output.events,
        w.screenshots.paths,
        {w.Pad(1).rumbleStarts, w.Pad(1).rumbleStops, w.Pad(2).rumbleStarts, w.Pad(2).rumbleStops},
        w.cycles};
}

TEST(WakeEquivalence, BothModesSendTheSameEventsInTheSameOrder) {
    const Outcome timer = Drive(PollingMode::kTimer);
    const Outcome events = Drive(PollingMode::kEvents);
    ASSERT_GT(timer.events.size(), 200u) << "the script reaches everything";
    EXPECT_EQ(events.events, timer.events);
    EXPECT_EQ(events.screenshots, timer.screenshots);
    EXPECT_FALSE(timer.screenshots.empty());
    EXPECT_EQ(events.rumbles, timer.rumbles);
    EXPECT_LT(events.cycles, timer.cycles / 2);
}

}  // namespace
}  // namespace padrix::testing
