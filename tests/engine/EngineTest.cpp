// The engine cases that need loops or its parts directly; the step-by-step
// scenarios are in scenarios.txt.
#include <functional>

#include "EngineRig.h"
#include "engine/ScreenshotPath.h"

namespace padrix::testing {
namespace {

using fakes::RecordingOutput;

class Engine : public EngineRig {
  protected:
    void Tap(int n, int b) {
        Press(n, b);
        Run();
        Release(n, b);
        Run();
    }
};

TEST_F(Engine, EachButtonSendsItsKeyOnPressAndRelease) {
    OpenPads(1, 24);
    const std::uint8_t keysOf[] = {'J', 'K', 'L', '2', '0', 'I', '1', '9', 'N', 'B', 112,
                                   113, 114, 115, 116, 117, 118, 119, 120, 121, 122};
    for (int b = 0; b < 21; ++b) {
        Press(1, b);
        EXPECT_EQ(Run(), Downs({keysOf[b]})) << "button " << b;
        EXPECT_TRUE(Run().empty());
        Release(1, b);
        EXPECT_EQ(Run(), Ups({keysOf[b]})) << "button " << b;
    }
}

TEST_F(Engine, ReleaseAllLetsGoOfEverythingHeldAndClearsTheFlags) {
    OpenPads(2);
    Press(1, 0);
    Stick(2, 65535, 32768);
    Run();
    keys.down.insert(17);
    Press(1, 1);
    Run();
    Release(1, 1);
    Run();  // K stays down through the hold request
    keys.down.clear();
    engine.SetMouseMode(true);
    Press(1, 0);
    Run();  // left mouse button down
    out.Take();

    engine.ReleaseAll();
    auto events = out.Take();
    std::sort(events.begin(), events.end(), [](const OutEvent& a, const OutEvent& b) {
        return a.kind * 1000 + a.vk < b.kind * 1000 + b.vk;
    });
    std::vector<OutEvent> expected = Ups({'D', 'J', 'K'});
    expected.push_back(OutEvent::MouseUp(MouseButton::kLeft));
    EXPECT_EQ(events, expected);
    EXPECT_FALSE(engine.tables().buttonHeld[0][0]);
    EXPECT_FALSE(engine.tables().directionHeld[1][kRight]);
    engine.ReleaseAll();
    EXPECT_TRUE(out.Take().empty()) << "nothing is released twice";
}

// Auto-fire bursts, pointer steps and screenshots are paced to 64 a second,
// whatever the poll rate.
TEST_F(Engine, PacedEffectsComeSixtyFourTimesASecond) {
    OpenPads(1);
    const struct {
        const char* what;
        std::function<void()> start;
        std::function<int(const std::vector<OutEvent>&)> count;
    } cases[] = {
        {"auto-fire",
         [this] {
             engine.SetOption(&Options::AutoFireActive, true);
             Press(1, 1);
             Run();
         },
         [](const auto& events) {
             EXPECT_TRUE(events.empty() || events == Presses('K', 12));
             return events.empty() ? 0 : 1;
         }},
        {"pointer",
         [this] {
             engine.SetMouseMode(true);
             Stick(1, 65535, 32768);
         },
         [](const auto& events) { return static_cast<int>(events.size()); }},
        {"screenshots", [this] { keys.down.insert(44); },
         [this](const auto&) {
             return static_cast<int>(std::exchange(screenshots.paths, {}).size());
         }},
    };
    for (const auto& c : cases) {
        engine.SetOptions(Options{});
        engine.SetOption(&Options::RumbleType, kRumbleNever);
        c.start();
        int seen = 0;
        for (int ms = 0; ms < 1000; ++ms) {
            seen += c.count(Run());
        }
        EXPECT_EQ(seen, 64) << c.what;
        Pad(1).state = JoyState::AtRest();
        keys.down.clear();
        engine.SetMouseMode(false);
        Run();
    }
}

TEST_F(Engine, AFreshPrintScreenPressIsTakenAtOnce) {
    OpenPads(1);
    keys.down.insert(44);
    Run();
    Run();
    keys.down.clear();
    Run();
    keys.down.insert(44);
    Run();
    EXPECT_EQ(screenshots.paths.size(), 2u);
}

// Paced effects start their rate with the first run after rest, so that
// the runs made while nothing happened do not matter.
TEST_F(Engine, PacingStartsAfreshWithTheFirstRunAfterRest) {
    OpenPads(2);
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

TEST_F(Engine, PointerAcceleratesAndKeepsItsSpeedAfterCentring) {
    OpenPads(2);
    engine.SetOption(&Options::UseMAsSelect, false);
    engine.SetMouseMode(true);
    // Runs until the pointer has moved `steps` times (they are paced).
    const auto steps = [this](int steps) {
        std::vector<OutEvent> moves;
        while (static_cast<int>(moves.size()) < steps) {
            for (const OutEvent& e : Run()) {
                moves.push_back(e);
            }
        }
        return moves;
    };
    Stick(1, 0, 65535);
    EXPECT_EQ(steps(3), (std::vector<OutEvent>{OutEvent::Cursor(99, 101), OutEvent::Cursor(97, 103),
                                               OutEvent::Cursor(94, 106)}));
    Stick(1, 32768, 32768);
    for (int i = 0; i < 50; ++i) {
        EXPECT_TRUE(Run().empty());
    }
    Stick(1, 0, 32768);
    EXPECT_EQ(steps(1), std::vector<OutEvent>{OutEvent::Cursor(90, 106)});
    Stick(1, 65535, 32768);
    EXPECT_EQ(steps(1), std::vector<OutEvent>{OutEvent::Cursor(91, 106)})
        << "the other side restarts at 1";
    EXPECT_TRUE(engine.tables().directionHeld[0] == (std::array<bool, 4>{})) << "no keyboard flags";
}

TEST_F(Engine, RumbleAlwaysStartsForButtonsZeroToSevenAndEveryReleaseStops) {
    OpenPads(2);
    engine.SetOption(&Options::RumbleType, kRumbleAlways);
    for (int b : {0, 7, 8, 9, 10, 11}) {
        Tap(1, b);
    }
    EXPECT_EQ(Pad(1).rumbleStarts, 2);
    EXPECT_EQ(Pad(1).rumbleStops, 6);
    Stick(1, 0, 0);
    Run();
    EXPECT_EQ(Pad(1).rumbleStarts, 2) << "directions never rumble";
}

TEST_F(Engine, RandomRumbleStartsAboveNinetyFivePercent) {
    OpenPads(2);
    engine.SetOption(&Options::RumbleType, kRumbleRandom);
    random.script = {0.95f, 0.9500001f, 0.2f};
    Tap(1, 0);
    Tap(1, 0);
    Tap(1, 0);
    EXPECT_EQ(Pad(1).rumbleStarts, 1);
}

TEST_F(Engine, StressedRumbleNeedsOneButtonOverAndOver) {
    OpenPads(2);
    engine.SetOption(&Options::RumbleType, kRumbleStressed);
    random.fallback = 0.999f;
    // Alternating buttons, on either joypad, never rumble.
    for (int i = 0; i < 100; ++i) {
        Tap(1 + i % 2, i % 2);
    }
    EXPECT_EQ(Pad(1).rumbleStarts + Pad(2).rumbleStarts, 0);

    Tap(1, 5);  // recorded, not counted
    for (int i = 0; i < 79; ++i) {
        Tap(1 + i % 2, 5);
    }
    EXPECT_EQ(Pad(1).rumbleStarts + Pad(2).rumbleStarts, 0);
    Tap(2, 5);
    EXPECT_EQ(Pad(2).rumbleStarts, 1) << "the 80th counted press rumbles";
    EXPECT_EQ(engine.latches().StressCount, 0);
}

TEST_F(Engine, StressedRumbleCanFireFromThirtyOne) {
    OpenPads(2);
    engine.SetOption(&Options::RumbleType, kRumbleStressed);
    random.fallback = 0.0f;
    for (int i = 0; i < 31; ++i) {
        Tap(1, 2);
    }
    EXPECT_EQ(Pad(1).rumbleStarts, 0);
    Tap(1, 2);
    EXPECT_EQ(Pad(1).rumbleStarts, 1);
}

TEST_F(Engine, OutOfRangeRumbleModesNeverRumble) {
    OpenPads(2);
    for (std::int16_t mode : {std::int16_t{-1}, std::int16_t{4}, std::int16_t{0}}) {
        engine.SetOption(&Options::RumbleType, mode);
        Tap(1, 0);
    }
    EXPECT_EQ(Pad(1).rumbleStarts, 0);
    EXPECT_EQ(random.draws, 0);
}

TEST_F(Engine, DosModeIsReadAtEveryKeyEvent) {
    KeyOutput& o = engine.output();
    o.KeyDown('J');
    engine.SetOption(&Options::DosMode, true);
    o.KeyUp('J');
    o.KeyPress(27);
    engine.SetOption(&Options::DosMode, false);
    o.KeyUp('K');
    const std::vector<OutEvent> expected = {
        OutEvent::Down('J'),
        OutEvent::Up('J', RecordingOutput::FakeScan('J')),
        OutEvent::Down(27, RecordingOutput::FakeScan(27)),
        OutEvent::Up(27, RecordingOutput::FakeScan(27)),
        OutEvent::Up('K'),
    };
    EXPECT_EQ(out.Take(), expected);
}

TEST_F(Engine, MalformedKeystrokesSendNothing) {
    EXPECT_FALSE(engine.output().SendKeys("%(E{Up}~"));
    EXPECT_FALSE(engine.output().SendKeys("+"));
    EXPECT_TRUE(out.Take().empty());
    EXPECT_TRUE(engine.output().SendKeys("^a"));
    EXPECT_EQ(out.Take().size(), 4u);
}

TEST_F(Engine, KeyOutputReleaseAllCoversPlainKeysAndMouseButtons) {
    KeyOutput& o = engine.output();
    o.PlainKey(18, true);
    o.KeyDown('Q');
    o.KeyUp('Q');
    o.Mouse(MouseButton::kRight, true);
    o.Mouse(MouseButton::kLeft, true);
    o.Mouse(MouseButton::kLeft, false);
    out.Take();
    o.ReleaseAll();
    EXPECT_EQ(out.Take(),
              (std::vector<OutEvent>{OutEvent::Up(18), OutEvent::MouseUp(MouseButton::kRight)}));
}

TEST(EngineScreenshotPath, DateAndTimeNameTheFile) {
    EXPECT_EQ(ScreenshotPath("/home/u/padrix", {2026, 1, 2, 3, 4, 5}),
              "/home/u/padrix/20260102030405.jpg");
    EXPECT_EQ(ScreenshotPath("/opt/", {1999, 12, 31, 23, 59, 59}), "/opt/19991231235959.jpg");
}

}  // namespace
}  // namespace padrix::testing
