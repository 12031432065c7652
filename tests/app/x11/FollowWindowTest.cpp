#include <X11/keysym.h>
#include <gtest/gtest.h>

#include <QTest>

#include "Child.h"
#include "PadrixOnX.h"
#include "WindowManager.h"
#include "app/AppTexts.h"
#include "app/ConfigDialogOpener.h"
#include "platform/XWaylandActiveWindowWatch.h"

namespace padrix::testing {
namespace {

bool Activate(XWindowId id) {
    return RunCommand({"xdotool", "windowactivate", "--sync", std::to_string(id)},
                      {{"DISPLAY", DisplayName()}});
}

// Two windows, the second titled like the profile "Arena" (A types F), the
// first ("Client") like none (Virtual Game Station: A types J). Button A
// types the key of the focused window's profile there, and a key held
// across a switch goes up. The configuration dialog's map, in force when it
// closes, gives way to the profile of the window focused meanwhile.
TEST(AppFollowWindow, TheFocusedWindowsProfileTypesAndHeldKeysGoUp) {
    PadrixOnX padrix(PadrixOnXSetup{.select = false});
    if (!padrix.ok()) {
        GTEST_SKIP() << padrix.error();
    }
    ClickFocusManager manager;
    // Windows mapped while the manager starts may escape it.
    ASSERT_TRUE(manager.Manages({})) << "jwm did not start";
    padrix.settings().SaveSetting("Names", "1", "Arena");
    padrix.settings().SaveSetting("Arena", "3", "70");
    TestWindow arena(DisplayName(), "Arena");
    arena.StopKeyRepeat();
    TestWindow& client = padrix.client();
    ASSERT_TRUE(manager.Manages({client.id(), arena.id()}));
    padrix.form().Choose(MenuEntry::FollowWindow);
    const QAction& entry = padrix.form().menu().action(MenuEntry::FollowWindow);
    ASSERT_TRUE(entry.isEnabled() && entry.isChecked());

    const Session& session = padrix.form().session();
    const auto inForce = [&](const std::string& profile) {
        return QTest::qWaitFor([&] { return session.ProfileInForce() == profile; }, 5000);
    };
    std::map<TestWindow*, std::vector<SeenEvent>> received;
    const auto types = [&](TestWindow& w, unsigned long keysym) {
        padrix.pad().SetButton(0, true);
        const bool down = TakeKey(w, received[&w], keysym, true);
        padrix.pad().SetButton(0, false);
        return down && TakeKey(w, received[&w], keysym, false);
    };

    ASSERT_TRUE(Activate(client.id()));
    ASSERT_TRUE(inForce(""));
    EXPECT_TRUE(types(client, XK_j)) << "no profile's window";
    ASSERT_TRUE(Activate(arena.id()));
    ASSERT_TRUE(inForce("Arena"));
    EXPECT_TRUE(types(arena, XK_f)) << "the profile's window";
    EXPECT_EQ(padrix.form().presence().Tip(), IconTip(padrix.form().Caption(), "Arena"));

    padrix.pad().SetButton(0, true);
    ASSERT_TRUE(TakeKey(arena, received[&arena], XK_f, true));
    ASSERT_TRUE(Activate(client.id()));
    // The release goes where the keyboard focus is by then.
    EXPECT_TRUE(TakeKey(client, received[&client], XK_f, false)) << "held across the switch";
    EXPECT_TRUE(inForce(""));
    EXPECT_TRUE(TakeKey(client, received[&client], XK_j, true)) << "the held button's new key";
    padrix.pad().SetButton(0, false);
    EXPECT_TRUE(TakeKey(client, received[&client], XK_j, false));

    client.SetTitle("Arena - level 2");
    ASSERT_TRUE(inForce("Arena"));
    EXPECT_TRUE(types(client, XK_f)) << "the focused window took the profile's title";
    client.SetTitle("Client");
    ASSERT_TRUE(inForce(""));
    EXPECT_TRUE(types(client, XK_j)) << "and gave it up";

    ASSERT_TRUE(Activate(arena.id()));
    ASSERT_TRUE(inForce("Arena"));
    padrix.form().Choose(MenuEntry::FollowWindow);
    EXPECT_EQ(session.ProfileInForce(), "") << "turned off, the layout comes back";
    EXPECT_EQ(session.menu().layout, Layout::Vgs);
    EXPECT_TRUE(types(arena, XK_j));

    padrix.form().Choose(MenuEntry::FollowWindow);
    ASSERT_TRUE(inForce("Arena"));
    ConfigDialogOpener opener(padrix.form(), padrix.DialogPorts());
    padrix.form().Choose(MenuEntry::Config);
    ASSERT_TRUE(session.Editing());
    ASSERT_TRUE(QTest::qWaitForWindowActive(opener.dialog()));
    ASSERT_TRUE(Activate(arena.id())) << "back to the game, the dialog open";
    opener.dialog()->close();
    EXPECT_TRUE(inForce("Arena")) << "the focused window's profile after closing";
    EXPECT_TRUE(types(arena, XK_f));
}

TEST(AppFollowWindow, WithoutAWindowManagerTheEntryIsGreyedAndSaysWhy) {
    XWaylandActiveWindowWatch onWayland(std::make_unique<NoActiveWindowWatch>());
    PadrixOnX padrix;
    if (!padrix.ok()) {
        GTEST_SKIP() << padrix.error();
    }
    const QAction& entry = padrix.form().menu().action(MenuEntry::FollowWindow);
    EXPECT_FALSE(entry.isEnabled());
    EXPECT_EQ(entry.toolTip(), kDefaultFollowWindowUnavailable);
    EXPECT_TRUE(padrix.form().menu().menu().toolTipsVisible());
    padrix.form().SetActiveWindowWatch(onWayland);
    EXPECT_EQ(entry.toolTip(), kDefaultFollowWindowUnavailable +
                                   QStringLiteral(" (wlr-foreign-toplevel-management)"))
        << "a compositor names its protocol";
}

}  // namespace
}  // namespace padrix::testing
