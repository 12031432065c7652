#include <sstream>

#include "InputRig.h"
#include "tools/JoyTestReport.h"

namespace padrix::testing {
namespace {

using joytest::LiveView;
using joytest::ParseArgs;

TEST(InputJoyTestArgs, CommandLines) {
    struct Case {
        std::vector<std::string_view> args;
        bool accepted;
        bool live;
        int joypad;
        int seconds;
    };
    const Case cases[] = {
        {{}, true, false, 0, 0},
        {{"--live"}, true, true, 0, 0},
        {{"-l", "-j", "3", "-s", "10"}, true, true, 3, 10},
        {{"--joypad"}, false, false, 0, 0},
        {{"--joypad", "2x"}, false, false, 0, 0},
        {{"--joypad", "99999999999"}, false, false, 0, 0},
        {{"--verbose"}, false, false, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args.empty() ? "(none)" : std::string(c.args.front()));
        const auto parsed = ParseArgs(c.args);
        ASSERT_EQ(parsed.options.has_value(), c.accepted) << parsed.error;
        if (c.accepted) {
            EXPECT_EQ(parsed.options->live, c.live);
            EXPECT_EQ(parsed.options->joypad, c.joypad);
            EXPECT_EQ(parsed.options->seconds, c.seconds);
        } else {
            EXPECT_FALSE(parsed.error.empty());
        }
    }
    EXPECT_TRUE(ParseArgs({"-h"}).options->help);
}

using InputJoyTestList = InputRig;

TEST_F(InputJoyTestList, ListsTheJoypadsAsTheProgramNumbersThem) {
    std::ostringstream none;
    joytest::ListJoypads(access, none);
    EXPECT_EQ(none.str(), "No joypads found.\n");

    PadSetup setup;
    setup.name = "Arcade Stick";
    setup.axes = 1;
    setup.buttons = 8;
    setup.hats = 1;
    Plug(setup);
    for (int d = 2; d <= 9; ++d) {
        Plug("Pad " + std::to_string(d));
    }
    std::ostringstream out;
    joytest::ListJoypads(access, out);
    EXPECT_EQ(out.str(),
              "9 joypads found; Padrix uses the first 8.\n"
              "1: Arcade Stick - 1 axis, 8 buttons, 1 hat\n"
              "2: Pad 2 - 2 axes, 12 buttons, 0 hats\n"
              "3: Pad 3 - 2 axes, 12 buttons, 0 hats\n"
              "4: Pad 4 - 2 axes, 12 buttons, 0 hats\n"
              "5: Pad 5 - 2 axes, 12 buttons, 0 hats\n"
              "6: Pad 6 - 2 axes, 12 buttons, 0 hats\n"
              "7: Pad 7 - 2 axes, 12 buttons, 0 hats\n"
              "8: Pad 8 - 2 axes, 12 buttons, 0 hats\n"
              "9: Pad 9 - 2 axes, 12 buttons, 0 hats (not used)\n");
}

TEST_F(InputJoyTestList, LiveLinesShowChangesAsThePadReads) {
    auto& device = Plug("Live");
    auto pad = Open(1);
    LiveView view;
    JoyState s;
    auto update = [&] {
        const bool ok = pad->Read(s);
        return view.Update(1, ok, s, pad->ButtonCount()).value_or("(no change)");
    };
    EXPECT_EQ(update(), "1: x=32768 y=32768 buttons=none");
    EXPECT_EQ(update(), "(no change)");
    device.SetAxis(1, -32768);
    device.SetButton(0, true);
    device.SetButton(11, true);
    EXPECT_EQ(update(), "1: x=32768 y=0 buttons=1,12");
    device.Detach();
    EXPECT_EQ(update(), "1: cannot be read (unplugged?)");
    EXPECT_EQ(update(), "(no change)");
}

}  // namespace
}  // namespace padrix::testing
