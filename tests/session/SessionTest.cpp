#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "SessionRig.h"
#include "session/Layouts.h"
#include "settings/OptionKeys.h"

namespace padrix {
namespace {

// Each option entry: what it flips and the key it is stored under ("" when
// it is never stored).
struct OptionCase {
    MenuEntry option;
    std::string key;
    std::function<bool(const Session&)> value;
};

class SessionOptionTest : public ::testing::TestWithParam<OptionCase> {};

TEST_P(SessionOptionTest, FlipsStoresAndTellsTheViews) {
    SessionRig rig;
    Session& s = rig.Started();
    const OptionCase& c = GetParam();
    const bool before = c.value(s);
    std::vector<SessionChange> changes;
    s.Subscribe([&](SessionChange change) { changes.push_back(change); });

    s.ToggleOption(c.option);

    EXPECT_EQ(c.value(s), !before);
    if (!c.key.empty()) {
        EXPECT_EQ(rig.Stored(kOptionSection, c.key), before ? "False" : "True");
        SessionRig next;  // the next start reads it back
        next.store.SaveSetting(kOptionSection, c.key, rig.Stored(kOptionSection, c.key));
        EXPECT_EQ(c.value(next.Started()), !before);
    }
    EXPECT_EQ(changes, std::vector<SessionChange>{SessionChange::Options});
}

INSTANTIATE_TEST_SUITE_P(
    Menu, SessionOptionTest,
    ::testing::Values(
        OptionCase{MenuEntry::Select, "Select", [](auto& s) { return s.options().UseMAsSelect; }},
        OptionCase{MenuEntry::AutoFire, "AutoFire",
                   [](auto& s) { return s.options().AllowAutoFire; }},
        OptionCase{MenuEntry::Startup, "VGSStartUp", [](auto& s) { return s.menu().startWithVgs; }},
        OptionCase{MenuEntry::Logitech, "Logitech",
                   [](auto& s) { return s.options().LogitechPatch; }},
        OptionCase{MenuEntry::AutodetectProfile, "Autodetect",
                   [](auto& s) { return s.menu().autodetectProfile; }},
        OptionCase{MenuEntry::FollowWindow, "FollowWindow",
                   [](auto& s) { return s.menu().followWindow; }},
        OptionCase{MenuEntry::SwapLR, "", [](auto& s) { return s.menu().swapLR; }},
        OptionCase{MenuEntry::DOSApplication, "DOS", [](auto& s) { return s.options().DosMode; }},
        OptionCase{MenuEntry::PollRate, "MaxPollRate",
                   [](auto& s) { return s.options().MaxPollRate; }}));

TEST(SessionTest, AutoFireFollowsTheMenu) {
    SessionRig rig;
    Session& s = rig.Started();
    const bool allowed = s.options().AllowAutoFire;
    s.ToggleOption(MenuEntry::AutoFire);
    EXPECT_EQ(s.options().AutoFireActive, !allowed);
}

// Layouts: the keys of joypad 1's A button and L shoulder, and "Last".
struct LayoutCase {
    Layout layout;
    bool swapped;
    int a;
    int l;
    std::string last;
};

class SessionLayoutTest : public ::testing::TestWithParam<LayoutCase> {};

TEST_P(SessionLayoutTest, WritesTheMapsAndLast) {
    SessionRig rig;
    rig.store.SaveSetting("Custom", "3", "81");  // A of the Custom profile: Q
    rig.store.SaveSetting("Custom2", "3", "81");
    Session& s = rig.Started();
    const LayoutCase& c = GetParam();
    if (c.swapped) {
        s.ToggleOption(MenuEntry::SwapLR);
    }
    s.ChooseLayout(c.layout);
    EXPECT_EQ(s.engine().Map(1).A, c.a);
    EXPECT_EQ(s.engine().Map(2).A, c.a);
    EXPECT_EQ(s.engine().Map(1).L, c.l);
    EXPECT_EQ(s.menu().layout, c.layout);
    EXPECT_EQ(rig.Stored(kOptionSection, kKeyLast), c.last);
}

INSTANTIATE_TEST_SUITE_P(Layouts, SessionLayoutTest,
                         ::testing::Values(LayoutCase{Layout::Vgs, false, 'J', '1', "2"},
                                           LayoutCase{Layout::Vgs, true, 'J', '2', "2"},
                                           LayoutCase{Layout::Snes9x, false, 'D', 'A', "1"},
                                           LayoutCase{Layout::Custom, false, 'Q', '1', "3"}));

TEST(SessionTest, StoredLastPicksTheLayoutOnlyWhenExact) {
    const std::pair<const char*, Layout> cases[] = {
        {"1", Layout::Snes9x}, {"3", Layout::Custom}, {"01", Layout::Vgs},
        {"1 ", Layout::Vgs},   {"", Layout::Vgs},     {"banana", Layout::Vgs},
    };
    for (const auto& [last, layout] : cases) {
        SessionRig rig(1);
        rig.store.SaveSetting(kOptionSection, kKeyLast, last);
        EXPECT_EQ(rig.Started().menu().layout, layout) << '"' << last << '"';
        EXPECT_EQ(rig.Stored(kOptionSection, kKeyLast), LastText(layout));
    }
}

TEST(SessionTest, StartUpReadsTheStoreAndOpensThePads) {
    SessionRig rig(3);
    rig.store.SaveSetting("Custom", "Last", "1");
    rig.store.SaveSetting("Custom", "DOS", "True");
    rig.store.SaveSetting("Custom", "joypads", "101");
    rig.store.SaveSetting("Custom2", "DeadZone", "40");
    Session& s = rig.Started();
    EXPECT_EQ(s.JoypadCount(), 3);
    EXPECT_EQ(s.JoypadName(2), "Pad 2");
    EXPECT_EQ(s.JoypadName(4), "");
    EXPECT_EQ(rig.controllers.pads[1]->deadZone, 40);
    EXPECT_TRUE(s.options().DosMode);
    EXPECT_EQ(s.menu().layout, Layout::Snes9x);
    EXPECT_EQ(s.JoypadsEnabled(), "101");
    EXPECT_EQ(s.engine().Map(3).EscapeKey, 27);
    EXPECT_TRUE(s.MappingRuns());
}

TEST(SessionTest, PausingReleasesHeldKeysAndResumingDoesNot) {
    SessionRig rig(1);
    Session& s = rig.Started();
    rig.controllers.pads[0]->state.buttons[0] = 0x80;  // A: 'J'
    s.engine().PollCycle();
    rig.output.Take();

    s.ToggleMapping();
    EXPECT_FALSE(s.MappingRuns());
    EXPECT_FALSE(s.menu().enabled);
    EXPECT_EQ(rig.output.Take(), std::vector{fakes::OutEvent::Up('J')});

    s.ToggleMapping();
    EXPECT_TRUE(s.MappingRuns());
    EXPECT_TRUE(rig.output.Take().empty());
}

TEST(SessionTest, OneWriterOfTheEnabledJoypads) {
    SessionRig rig(3);
    Session& s = rig.Started();
    s.SetJoypadEnabled(2, false);
    EXPECT_EQ(s.JoypadsEnabled(), "10111111");
    EXPECT_EQ(rig.Stored(kOptionSection, kKeyJoypads), "10111111");
    EXPECT_EQ(s.JoypadEnabled(2), false);
    EXPECT_EQ(s.JoypadEnabled(9), std::nullopt);
    s.SetJoypadEnabled(9, false);  // outside the text: nothing changes
    EXPECT_EQ(rig.Stored(kOptionSection, kKeyJoypads), "10111111");
    s.engine().SetJoypadsEnabled("1");  // too short for joypad 2
    s.SetJoypadEnabled(2, true);
    EXPECT_EQ(s.JoypadsEnabled(), "1");
    EXPECT_EQ(rig.Stored(kOptionSection, kKeyJoypads), "10111111");
}

TEST(SessionTest, DeadZoneIsStoredAndAppliedToThePad) {
    SessionRig rig(1);
    Session& s = rig.Started();
    s.SetDeadZone(1, 130);
    EXPECT_EQ(s.DeadZone(1), 100);
    EXPECT_EQ(rig.controllers.pads[0]->deadZone, 100);
    s.SetDeadZone(5, 20);  // no such pad: stored only
    EXPECT_EQ(rig.Stored("Custom5", "DeadZone"), "20");
}

TEST(SessionTest, EditingPausesCommitsAndFinishesWithCustom) {
    SessionRig rig(2);
    Session& s = rig.Started();
    s.ToggleMapping();  // paused by the user: finishing turns it on again
    MapEdit edit;
    edit.Assign(20, 99);  // an extra slot that the copy keeps
    s.BeginEdit(2, edit);
    EXPECT_TRUE(s.Editing());
    EXPECT_FALSE(s.MappingRuns());
    EXPECT_EQ(edit.Joypad(), 2);
    EXPECT_EQ(edit.Tag(3), std::to_string('J'));
    EXPECT_EQ(edit.Tag(20), "99");

    edit.Assign(3, 'Q');
    edit.Clear(4);
    s.Commit(edit);
    EXPECT_EQ(s.engine().Map(2).A, 'Q');
    EXPECT_EQ(rig.Stored("Custom2", "3"), "81");
    EXPECT_EQ(rig.Stored("Custom2", "4"), "");
    EXPECT_EQ(rig.Stored("Custom2", "20"), "99");

    s.FinishEditing();
    EXPECT_FALSE(s.Editing());
    EXPECT_TRUE(s.MappingRuns());
    EXPECT_TRUE(s.menu().enabled);
    EXPECT_EQ(s.menu().layout, Layout::Custom);
    EXPECT_EQ(rig.Stored(kOptionSection, kKeyLast), "3");
}

// The naming rules themselves: SettingsProfilesTest.
TEST(SessionTest, ASavedProfileReadsBackIntoAWorkingCopy) {
    SessionRig rig(1);
    Session& s = rig.Started();
    MapEdit edit;
    edit.Assign(0, 38);
    EXPECT_EQ(s.SaveProfile({"Custom"}, "  Doom ", edit), "Doom");
    MapEdit loaded;
    s.ReadProfile("Doom", loaded);
    EXPECT_EQ(loaded.Tag(0), "38");
}

TEST(SessionTest, ADetectedProfileBringsItsMapsAndMsDosMode) {
    SessionRig rig(1);
    rig.store.SaveSetting("Doom", "3", "70");
    Session& s = rig.Started();
    s.UseDetectedProfile("Doom");
    EXPECT_TRUE(s.options().DosMode);
    EXPECT_EQ(s.engine().Map(1).A, 'F');
}

// A profile by name, in any letter case, for every joypad; held keys go up
// first, and a layout chosen later takes over again.
TEST(SessionTest, AProfileByNameReplacesEveryMapAfterLettingGo) {
    SessionRig rig(2);
    rig.store.SaveSetting("Names", "1", "Arena");
    rig.store.SaveSetting("Arena", "3", "70");
    rig.store.SaveSetting("Arena2", "3", "71");
    Session& s = rig.Started();
    rig.controllers.pads[0]->state.buttons[0] = 0x80;
    s.engine().PollCycle();
    rig.output.Take();

    EXPECT_FALSE(s.UseProfile("Doom"));
    EXPECT_TRUE(rig.output.Take().empty());
    EXPECT_EQ(s.ProfileInForce(), "");

    EXPECT_TRUE(s.UseProfile("aRENA"));
    EXPECT_EQ(s.ProfileInForce(), "Arena");
    EXPECT_EQ(rig.output.Take(), std::vector{fakes::OutEvent::Up('J')});
    EXPECT_EQ(s.engine().Map(1).A, 'F');
    EXPECT_EQ(s.engine().Map(2).A, 'G');
    EXPECT_FALSE(s.options().DosMode);

    s.ChooseLayout(Layout::Snes9x);
    EXPECT_EQ(s.ProfileInForce(), "");
}

TEST(SessionTest, ALayoutThatChangesTheMapsLetsGoFirst) {
    SessionRig rig(1);
    Session& s = rig.Started();
    rig.controllers.pads[0]->state.buttons[0] = 0x80;  // A: 'J'
    s.engine().PollCycle();
    rig.output.Take();
    s.ChooseLayout(Layout::Vgs);  // the maps in force: nothing changes
    EXPECT_TRUE(rig.output.Take().empty());
    s.ChooseLayout(Layout::Snes9x);
    EXPECT_EQ(rig.output.Take(), std::vector{fakes::OutEvent::Up('J')});
}

TEST(SessionTest, RumbleModeIsStored) {
    SessionRig rig(1);
    Session& s = rig.Started();
    s.SetRumbleType(kRumbleStressed);
    EXPECT_EQ(s.options().RumbleType, kRumbleStressed);
    EXPECT_EQ(rig.Stored(kOptionSection, kKeyRumbleType), "3");
}

TEST(SessionTest, UnsubscribedObserversHearNothing) {
    SessionRig rig(1);
    Session& s = rig.Started();
    int heard = 0;
    const int id = s.Subscribe([&](SessionChange) { ++heard; });
    s.ToggleOption(MenuEntry::Select);
    s.Unsubscribe(id);
    s.ToggleOption(MenuEntry::Select);
    EXPECT_EQ(heard, 1);
}

}  // namespace
}  // namespace padrix
