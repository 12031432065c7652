#include <sstream>

#include "Fakes.h"
#include "InputRig.h"
#include "common/Version.h"
#include "tools/JoyTestReport.h"

namespace padrix::testing {
namespace {

TEST(InputJoyTestArgs, CommandLines) {
    struct Case {
        std::vector<std::string_view> args;
        bool accepted;
        bool live = false;
        int joypad = 0;
        int seconds = 0;
    };
    const Case cases[] = {
        {{}, true},
        {{"--live"}, true, true},
        {{"-l", "-j", "3", "-s", "10"}, true, true, 3, 10},
        {{"--joypad"}, false},
        {{"--joypad", "2x"}, false},
        {{"--joypad", "99999999999"}, false},
        {{"--verbose"}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args.empty() ? "(none)" : std::string(c.args.back()));
        const auto parsed = joytest::ParseArgs(c.args);
        ASSERT_EQ(parsed.options.has_value(), c.accepted) << parsed.error;
        if (c.accepted) {
            EXPECT_EQ(parsed.options->live, c.live);
            EXPECT_EQ(parsed.options->joypad, c.joypad);
            EXPECT_EQ(parsed.options->seconds, c.seconds);
        } else {
            EXPECT_FALSE(parsed.error.empty());
        }
    }
    EXPECT_TRUE(joytest::ParseArgs({"-h"}).options->help);
    EXPECT_TRUE(joytest::ParseArgs({"--version"}).options->version);
    EXPECT_EQ(joytest::VersionLine(), std::string("padrix-joytest ") + kPadrixVersion + "\n");
}

// A controller system that cannot start is named with its own reason, on one
// line, for any reason it gives.
TEST(InputJoyTestStart, SaysWhySdlCannotStartOnOneLine) {
    const std::pair<const char*, const char*> cases[] = {
        {"No joystick driver\nfound", ": No joystick driver found\n"},
        {"", "\n"},
    };
    for (const auto& [reason, said] : cases) {
        fakes::FakeControllers access;
        access.startOk = false;
        access.startError = reason;
        std::ostringstream err;
        EXPECT_FALSE(joytest::StartOrExplain(access, err));
        EXPECT_EQ(
            err.str(),
            std::string("padrix-joytest: the game controller system (SDL) cannot be started") +
                said);
    }
    fakes::FakeControllers working;
    std::ostringstream silent;
    EXPECT_TRUE(joytest::StartOrExplain(working, silent));
    EXPECT_EQ(silent.str(), "");
}

using InputJoyTest = InputRig;

TEST_F(InputJoyTest, ListsTheJoypadsAsTheProgramNumbersThem) {
    std::ostringstream none;
    joytest::ListJoypads(access, none);
    EXPECT_EQ(none.str(), "No joypads found.\n");

    Plug(PadSetup{.name = "Arcade Stick", .axes = 1, .buttons = 8, .hats = 1});
    std::string expected =
        "9 joypads found; Padrix uses the first 8.\n"
        "1: Arcade Stick - 1 axis, 8 buttons, 1 hat\n";
    for (int d = 2; d <= 9; ++d) {
        Plug("Pad " + std::to_string(d));
        expected += std::to_string(d) + ": Pad " + std::to_string(d) +
                    " - 2 axes, 12 buttons, 0 hats" + (d == 9 ? " (not used)\n" : "\n");
    }
    std::ostringstream out;
    joytest::ListJoypads(access, out);
    EXPECT_EQ(out.str(), expected);
}

TEST_F(InputJoyTest, LiveLinesShowChangesAsThePadReads) {
    auto& device = Plug("Live");
    auto pad = Open(1);
    joytest::LiveView view;
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
