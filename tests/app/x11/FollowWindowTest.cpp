#include <X11/keysym.h>
#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <QTest>
#include <fstream>

#include "Child.h"
#include "PadrixOnX.h"
#include "app/AppTexts.h"
#include "platform/x11/X11Session.h"
#include "platform/x11/X11Windows.h"

namespace padrix::testing {
namespace {

std::string DisplayName() {
    return qEnvironmentVariable("DISPLAY").toStdString();
}

// jwm with click focus, so that the pointer's place moves no focus.
class ClickFocusManager {
  public:
    ClickFocusManager() {
        const std::string rc = dir_.filePath("jwmrc").toStdString();
        std::ofstream(rc) << "<JWM><FocusModel>click</FocusModel></JWM>\n";
        jwm_ = std::make_unique<Child>(
            std::vector<std::string>{"jwm", "-display", DisplayName(), "-f", rc});
    }
    // Waits until the manager announces _NET_ACTIVE_WINDOW and manages `ids`.
    bool Manages(const std::vector<XWindowId>& ids) {
        const x11::DisplayPtr own = x11::OpenDisplay(DisplayName());
        const x11::X11Windows windows(own.get());
        return QTest::qWaitFor(
            [&] {
                const auto all = windows.TopLevelWindows();
                return windows.ManagerSupportsActivation() &&
                       std::all_of(ids.begin(), ids.end(), [&](XWindowId id) {
                           return std::find(all.begin(), all.end(), id) != all.end();
                       });
            },
            20000);
    }

  private:
    QTemporaryDir dir_;
    std::unique_ptr<Child> jwm_;
};

bool Activate(XWindowId id) {
    return RunCommand({"xdotool", "windowactivate", "--sync", std::to_string(id)},
                      {{"DISPLAY", DisplayName()}});
}

// Two windows, the second titled like the profile "Arena" (A types F), the
// first ("Client") like none (Virtual Game Station: A types J). Button A
// types the key of the focused window's profile there, and a key held
// across a switch goes up.
TEST(AppFollowWindow, TheFocusedWindowsProfileTypesAndHeldKeysGoUp) {
    PadrixOnX padrix(PadrixOnXSetup{.select = false});
    if (!padrix.ok()) {
        GTEST_SKIP() << padrix.error();
    }
    ClickFocusManager manager;
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
}

TEST(AppFollowWindow, WithoutAWindowManagerTheEntryIsGreyedAndSaysWhy) {
    PadrixOnX padrix;
    if (!padrix.ok()) {
        GTEST_SKIP() << padrix.error();
    }
    const QAction& entry = padrix.form().menu().action(MenuEntry::FollowWindow);
    EXPECT_FALSE(entry.isEnabled());
    EXPECT_EQ(entry.toolTip(), kDefaultFollowWindowUnavailable);
    EXPECT_TRUE(padrix.form().menu().menu().toolTipsVisible());
}

}  // namespace
}  // namespace padrix::testing
