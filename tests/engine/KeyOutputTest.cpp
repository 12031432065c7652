#include "EngineRig.h"

namespace padrix::testing {
namespace {

using fakes::RecordingOutput;

class EngineKeyOutput : public EngineRig {};

TEST_F(EngineKeyOutput, DosModeIsReadAtEveryKeyEvent) {
    KeyOutput& o = engine.output();
    o.KeyDown('J');
    engine.SetOption(&Options::DosMode, true);
    o.KeyUp('J');
    o.KeyPress(27);
    engine.SetOption(&Options::DosMode, false);
    o.KeyUp('K');
    const std::vector<OutEvent> expected = {
        OutEvent::Key('J', kKeyEventDown, 0),
        OutEvent::Key('J', kKeyEventUp, RecordingOutput::FakeScan('J')),
        OutEvent::Key(27, kKeyEventDown, RecordingOutput::FakeScan(27)),
        OutEvent::Key(27, kKeyEventUp, RecordingOutput::FakeScan(27)),
        OutEvent::Key('K', kKeyEventUp, 0),
    };
    EXPECT_EQ(out.Take(), expected);
}

TEST_F(EngineKeyOutput, ScrollLockStateChangesOnlyItsOwnByte) {
    for (std::size_t k = 0; k < out.table.size(); ++k) {
        out.table[k] = static_cast<std::uint8_t>(k * 7);
    }
    const auto before = out.table;
    engine.output().SetScrollLockState(true);
    auto expected = before;
    expected[145] = 1;
    EXPECT_EQ(out.table, expected);
    engine.output().SetScrollLockState(false);
    expected[145] = 0;
    EXPECT_EQ(out.table, expected);
    engine.output().SetKeyState(20, -32768);
    EXPECT_EQ(out.table[20], 0);
    engine.output().SetKeyState(20, -3);
    EXPECT_EQ(out.table[20], 3);
}

TEST_F(EngineKeyOutput, MalformedKeystrokesSendNothing) {
    EXPECT_FALSE(engine.output().SendKeys("%(E{Up}~"));
    EXPECT_FALSE(engine.output().SendKeys("+"));
    EXPECT_TRUE(out.Take().empty());
    EXPECT_TRUE(engine.output().SendKeys("^a"));
    EXPECT_EQ(out.Take().size(), 4u);
}

TEST_F(EngineKeyOutput, ReleaseAllCoversRawEventsAndMouseButtons) {
    KeyOutput& o = engine.output();
    o.RawKeyEvent(18, 0, kKeyEventExtended);
    o.KeyDown('Q');
    o.KeyUp('Q');
    o.MouseRightDown();
    o.MouseLeftDown();
    o.MouseLeftUp();
    out.Take();
    o.ReleaseAll();
    EXPECT_EQ(out.Take(),
              (std::vector<OutEvent>{OutEvent::Up(18), OutEvent::Mouse(kMouseRightUp)}));
}

}  // namespace
}  // namespace padrix::testing
