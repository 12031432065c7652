#include <gtest/gtest.h>

#include "SessionRig.h"
#include "remote/RemoteControl.h"

namespace padrix {
namespace {

// One session through a run of requests: each answer, and what it left.
TEST(RemoteControl, AppliesEachRequestAndAnswersInLines) {
    SessionRig rig(2);
    rig.controllers.pads[1]->name = "Pad\n2";
    rig.store.SaveSetting("Names", "1", "Arena");
    rig.store.SaveSetting("Arena", "3", "70");
    Session& s = rig.Started();
    s.SetJoypadEnabled(2, false);
    int quits = 0;
    RemoteControl control(s, "wayland", [&quits] { ++quits; });

    const struct {
        std::string_view line;
        std::string_view answer;
        bool mapping;
    } steps[] = {
        {"status",
         "mapping on\nlayout vgs\njoypad 1 enabled Pad 1\njoypad 2 disabled Pad?2\noutput "
         "wayland\nok\n",
         true},
        {"profile aRENA", "ok\n", true},
        {"status",
         "mapping on\nprofile Arena\njoypad 1 enabled Pad 1\njoypad 2 disabled Pad?2\noutput "
         "wayland\nok\n",
         true},
        {"profile Doom", "error Unknown profile 'Doom'.\n", true},
        {"layout snes9x", "ok\n", true},
        {"mapping off", "ok\n", false},
        {"mapping off", "ok\n", false},
        {"mapping toggle", "ok\n", true},
        {"mapping on", "ok\n", true},
        {"mapping toggle", "ok\n", false},
        {"status",
         "mapping off\nlayout snes9x\njoypad 1 enabled Pad 1\njoypad 2 disabled Pad?2\noutput "
         "wayland\nok\n",
         false},
        {"mapping", "error Unknown mapping state ''; use on, off or toggle.\n", false},
        {"quit", "ok\n", false},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.line);
        EXPECT_EQ(control.Answer(step.line), step.answer);
        EXPECT_EQ(s.MappingRuns(), step.mapping);
    }
    EXPECT_EQ(rig.Stored("Custom", "Last"), "1");
    EXPECT_EQ(quits, 1);
}

// A layout lets go of held keys first; while the configuration dialog owns
// the maps only --status and --quit are taken.
TEST(RemoteControl, LetsGoBeforeALayoutAndLeavesTheDialogsMapsAlone) {
    SessionRig rig(1);
    Session& s = rig.Started();
    RemoteControl control(s, "xtest", [] {});
    rig.controllers.pads[0]->state.buttons[0] = 0x80;
    s.engine().PollCycle();
    ASSERT_FALSE(rig.output.Take().empty());
    EXPECT_EQ(control.Answer("layout snes9x"), "ok\n");
    const auto released = rig.output.Take();
    ASSERT_EQ(released.size(), 1u);
    EXPECT_FALSE(released.front().down);

    MapEdit edit;
    s.BeginEdit(1, edit);
    for (const char* line : {"layout vgs", "profile Custom", "mapping on"}) {
        EXPECT_EQ(control.Answer(line),
                  "error The configuration dialog is open; close it first.\n");
    }
    EXPECT_EQ(control.Answer("status"),
              "mapping off\nlayout snes9x\njoypad 1 enabled Pad 1\noutput xtest\nok\n");
    EXPECT_EQ(s.menu().layout, Layout::Snes9x);
}

TEST(RemoteControl, AnswersAreTakenApartByTheirLastLine) {
    const struct {
        std::string_view answer;
        bool read, ok;
        std::string_view lines, problem;
    } cases[] = {
        {"ok\n", true, true, "", ""},
        {"mapping on\nlayout vgs\nok\n", true, true, "mapping on\nlayout vgs\n", ""},
        {"error Unknown profile 'x'.\n", true, false, "", "Unknown profile 'x'."},
        {"ok", false, false, "", ""},
        {"", false, false, "", ""},
        {"mapping on\n", false, false, "", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.answer);
        const auto verdict = ReadAnswer(c.answer);
        ASSERT_EQ(verdict.has_value(), c.read);
        if (verdict) {
            EXPECT_EQ(verdict->ok, c.ok);
            EXPECT_EQ(verdict->lines, c.lines);
            EXPECT_EQ(verdict->problem, c.problem);
        }
    }
}

}  // namespace
}  // namespace padrix
