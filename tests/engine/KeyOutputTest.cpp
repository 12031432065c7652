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
        OutEvent::Down('J'),
        OutEvent::Up('J', RecordingOutput::FakeScan('J')),
        OutEvent::Down(27, RecordingOutput::FakeScan(27)),
        OutEvent::Up(27, RecordingOutput::FakeScan(27)),
        OutEvent::Up('K'),
    };
    EXPECT_EQ(out.Take(), expected);
}

TEST_F(EngineKeyOutput, MalformedKeystrokesSendNothing) {
    EXPECT_FALSE(engine.output().SendKeys("%(E{Up}~"));
    EXPECT_FALSE(engine.output().SendKeys("+"));
    EXPECT_TRUE(out.Take().empty());
    EXPECT_TRUE(engine.output().SendKeys("^a"));
    EXPECT_EQ(out.Take().size(), 4u);
}

TEST_F(EngineKeyOutput, ReleaseAllCoversPlainKeysAndMouseButtons) {
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

}  // namespace
}  // namespace padrix::testing
