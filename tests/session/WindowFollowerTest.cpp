#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "SessionRig.h"
#include "session/WindowFollower.h"

namespace padrix {
namespace {

using fakes::OutEvent;

TEST(WindowFollowerTest, TheFirstListedNameEqualToOrBeginningTheTitleMatches) {
    const std::vector<std::string> names = {"", "Game", "Game Two", "Arena"};
    EXPECT_EQ(ProfileForTitle(names, "Game Two"), "Game");
    EXPECT_EQ(ProfileForTitle(names, "Arena - level 1"), "Arena");
    EXPECT_EQ(ProfileForTitle(names, "Gam"), std::nullopt);
    EXPECT_EQ(ProfileForTitle(names, ""), std::nullopt);
}

// One session through focus changes, button A of joypad 1 held all along:
// after each step, the profile in force, the layout and what was let go of.
struct Step {
    const char* what;
    std::function<void(Session&, WindowFollower&)> act;
    std::string profile;
    Layout layout;
    std::optional<std::vector<OutEvent>> released;  // unchecked when none
};

TEST(WindowFollowerTest, FollowsTitlesAndBringsBackWhatWasInForce) {
    SessionRig rig(2);
    rig.store.SaveSetting("Names", "1", "Arena");
    rig.store.SaveSetting("Names", "2", "Doom");
    rig.store.SaveSetting("Arena", "3", "70");
    rig.store.SaveSetting("Doom", "3", "71");
    Session& s = rig.Started();
    WindowFollower follower(s);
    MapEdit edit;
    const std::vector<OutEvent> kNothing;
    const auto Up = [](char vk) {
        return std::vector{OutEvent::Up(static_cast<std::uint8_t>(vk))};
    };
    const auto title = [](const char* t) {
        return [t](Session&, WindowFollower& f) { f.FollowTitle(t); };
    };
    const Step steps[] = {
        {"no profile's window", title("Terminal"), "", Layout::Vgs, kNothing},
        {"a profile's window", title("Arena - level 1"), "Arena", Layout::Vgs, Up('J')},
        {"its title changes, same profile", title("Arena - level 2"), "Arena", Layout::Vgs,
         kNothing},
        {"another profile's window", title("Doom"), "Doom", Layout::Vgs, Up('F')},
        {"no window at all", title(""), "", Layout::Vgs, Up('G')},
        {"again", title("Doom"), "Doom", Layout::Vgs, Up('J')},
        {"turned off", [](Session&, WindowFollower& f) { f.Stop(); }, "", Layout::Vgs, Up('G')},
        {"the user's layout",
         [](Session& s, WindowFollower& f) {
             s.ChooseLayout(Layout::Snes9x);
             f.FollowTitle("Arena");
         },
         "Arena", Layout::Snes9x, std::nullopt},
        {"comes back", title("Terminal"), "", Layout::Snes9x, Up('F')},
        {"the dialog open",
         [&edit](Session& s, WindowFollower& f) {
             s.BeginEdit(1, edit);
             f.FollowTitle("Doom");
         },
         "", Layout::Snes9x, std::nullopt},
        {"the dialog's layout stays",
         [](Session& s, WindowFollower& f) {
             s.FinishEditing();
             f.FollowTitle("Terminal");
         },
         "", Layout::Custom, std::nullopt},
        {"the user chooses the very profile the follower put in force; it stays",
         [](Session& s, WindowFollower& f) {
             f.FollowTitle("Doom");
             s.UseProfile("doom");
             f.FollowTitle("Terminal");
         },
         "Doom", Layout::Custom, std::nullopt},
        {"the dialog closes over a profile's window",
         [&edit](Session& s, WindowFollower& f) {
             s.BeginEdit(1, edit);
             f.FollowTitle("Arena - level 3");
             s.FinishEditing();
             f.FollowAgain();
         },
         "Arena", Layout::Custom, std::nullopt},
    };
    for (const Step& step : steps) {
        rig.controllers.pads[0]->state.buttons[0] = 0x80;
        s.engine().PollCycle();
        rig.output.Take();
        step.act(s, follower);
        std::vector<OutEvent> released = rig.output.Take();
        std::erase_if(released, [](const OutEvent& e) { return e.down; });
        EXPECT_EQ(s.ProfileInForce(), step.profile) << step.what;
        EXPECT_EQ(s.menu().layout, step.layout) << step.what;
        if (step.released) {
            EXPECT_EQ(released, *step.released) << step.what;
        }
    }
}

}  // namespace
}  // namespace padrix
