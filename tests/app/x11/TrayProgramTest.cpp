#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <memory>

#include "Child.h"
#include "PrivateDisplay.h"
#include "settings/IniSettingsStore.h"

namespace padrix::testing {
namespace {

constexpr const char* kCaption = "Padrix 1.10 for DirectX8";

// The installed program on a private display, with its own settings, runtime
// folder and an empty Wine prefix: no emulator anywhere.
class AppTray : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(x.ok()) << "Xvfb did not start"; }

    std::unique_ptr<Child> StartTrayer() {
        auto trayer = std::make_unique<Child>(
            std::vector<std::string>{"trayer", "--edge", "top", "--align", "right", "--widthtype",
                                     "pixel", "--width", "200", "--height", "32"},
            x.Env());
        EXPECT_TRUE(WaitUntil([this] { return x.HasNotificationArea(); }));
        return trayer;
    }

    // The program from the build folder, with the language files beside it.
    std::unique_ptr<Child> StartPadrix(const std::string& lang = "C.UTF-8") {
        Environment env = x.ProgramEnv(dir.path().toStdString());
        env["LANG"] = lang;
        return std::make_unique<Child>(std::vector<std::string>{PADRIX_BINARY}, env);
    }

    // The icon: a padrix window embedded in the notification area.
    XWindowId WaitForIcon() {
        XWindowId icon = 0;
        WaitUntil([&] { return (icon = x.EmbeddedByClass("padrix")) != 0; });
        return icon;
    }
    std::size_t PadrixWindows() { return x.Viewable("padrix").size(); }
    // Top-level windows of the program that are not menus: its dialogs.
    std::size_t Dialogs() {
        std::size_t dialogs = 0;
        for (const auto& w : x.Viewable("padrix")) {
            dialogs += w.topLevel && !w.overrideRedirect ? 1 : 0;
        }
        return dialogs;
    }
    bool FallbackShown() { return !x.Viewable({}, kCaption).empty(); }

    std::string SettingsPath() const {
        return dir.filePath("config/Padrix/Padrix.ini").toStdString();
    }
    // The settings file's inode: storing a value replaces the file.
    ino_t SettingsInode() {
        struct stat st {};
        return stat(SettingsPath().c_str(), &st) == 0 ? st.st_ino : 0;
    }

    bool MenuShown() {
        for (const auto& w : x.Viewable("padrix")) {
            if (w.topLevel && w.overrideRedirect) {
                return true;
            }
        }
        return false;
    }
    // Right-clicks the icon until its menu shows: the notification area may
    // still move a new icon after it first appears, away from a click.
    bool OpenMenu(XWindowId icon) {
        for (int attempt = 0; attempt < 5; ++attempt) {
            const auto clickedAt = x.Centre(icon);
            Click(icon, "3");
            bool moved = false;
            const bool shown = WaitUntil([&] {
                moved = x.Centre(icon) != clickedAt;
                return MenuShown() || moved;
            });
            if (MenuShown() || !moved) {
                return shown;
            }
        }
        return false;
    }

    void Click(XWindowId w, const char* button, int clicks = 1) {
        const auto [cx, cy] = x.Centre(w);
        ASSERT_TRUE(
            x.Xdotool({"mousemove", "--sync", std::to_string(cx), std::to_string(cy), "click",
                       "--repeat", std::to_string(clicks), "--delay", "50", button}));
    }

    static bool EndedWell(Child& padrix) {
        int status = 0;
        return padrix.WaitExit(20000, &status) && WIFEXITED(status) && WEXITSTATUS(status) == 0;
    }

    PrivateDisplay x;
    QTemporaryDir dir;
};

// Without a notification area a window stands in until one appears. A
// second start ends silently, and Exit from the icon's menu ends the program,
// its icon and its guardian.
TEST_F(AppTray, TheWindowStandsInForTheIconASecondStartEndsAndExitEndsAll) {
    auto padrix = StartPadrix();
    ASSERT_TRUE(WaitUntil([&] { return FallbackShown(); })) << "no fallback window";
    const std::vector<pid_t> guardian = ChildrenOf(padrix->pid(), "padrix-guardian");
    ASSERT_EQ(guardian.size(), 1u) << "Padrix started its guardian";
    auto trayer = StartTrayer();
    const XWindowId icon = WaitForIcon();
    ASSERT_NE(icon, 0u) << "no icon in the notification area";
    EXPECT_TRUE(WaitUntil([&] { return !FallbackShown(); }));

    ASSERT_TRUE(WaitUntil([&] { return SettingsInode() != 0; }));
    // The first start-up may still be storing its layout: held still, it
    // cannot, so a change of the file while it stands is the second's.
    ASSERT_EQ(kill(padrix->pid(), SIGSTOP), 0);
    const ino_t settings = SettingsInode();
    auto second = StartPadrix();
    EXPECT_TRUE(EndedWell(*second));
    EXPECT_EQ(SettingsInode(), settings) << "the second start stored nothing";
    ASSERT_EQ(kill(padrix->pid(), SIGCONT), 0);
    EXPECT_TRUE(padrix->Running());
    EXPECT_TRUE(WaitUntil([&] { return PadrixWindows() == 1; }));

    ASSERT_TRUE(OpenMenu(icon)) << "the menu did not open";
    // The menu opens with nothing selected: Up reaches its last entry, E&xit.
    ASSERT_TRUE(x.Xdotool({"key", "Up", "Return"}));
    EXPECT_TRUE(EndedWell(*padrix));
    EXPECT_TRUE(WaitUntil([this] { return PadrixWindows() == 0; }));
    EXPECT_NE(kill(guardian.front(), 0), 0) << "the guardian ended with Padrix";
}

// With an empty store the configuration dialog, opened by a double click
// without emulator or from the menu, speaks the desktop's language, and
// opening it stores none.
struct DesktopLanguage {
    const char* lang;
    const char* caption;
    bool doubleClick;
};
void PrintTo(const DesktopLanguage& language, std::ostream* os) {
    *os << language.lang;
}
class AppTrayLanguage : public AppTray, public ::testing::WithParamInterface<DesktopLanguage> {};

TEST_P(AppTrayLanguage, TheConfigurationDialogOpensInTheDesktopLanguage) {
    auto trayer = StartTrayer();
    auto padrix = StartPadrix(GetParam().lang);
    const XWindowId icon = WaitForIcon();
    ASSERT_NE(icon, 0u);
    EXPECT_FALSE(FallbackShown()) << "no fallback window with a tray";
    EXPECT_EQ(Dialogs(), 0u) << "start-up opened nothing";
    if (GetParam().doubleClick) {
        Click(icon, "1", 2);
    } else {
        ASSERT_TRUE(OpenMenu(icon)) << "the menu did not open";
        // From nothing selected, Down reaches "Enabled" and then "Configure Joypad...".
        ASSERT_TRUE(x.Xdotool({"key", "Down", "Down", "Return"}));
    }
    EXPECT_TRUE(WaitUntil([&] { return Dialogs() == 1; }));
    EXPECT_TRUE(WaitUntil([&] { return !x.Viewable({}, GetParam().caption).empty(); }))
        << "no dialog titled " << GetParam().caption;
    EXPECT_TRUE(padrix->Running());
    EXPECT_EQ(IniSettingsStore(SettingsPath()).GetSetting("Custom", "Lang", "<none>"), "<none>");
}

INSTANTIATE_TEST_SUITE_P(
    Desktop, AppTrayLanguage,
    ::testing::Values(DesktopLanguage{"en_US.UTF-8", "SideWinder Config", true},
                      DesktopLanguage{"de_DE.UTF-8", "Joypad-Einstellungen", false}),
    [](const auto& info) { return std::string(info.param.lang).substr(0, 5); });

// Started without a desktop, the program says so on one line and ends with
// status 1, before Qt would abort.
TEST(AppNoDisplay, SaysWhatIsMissingOnOneLineAndEndsWithStatusOne) {
    struct Case {
        std::vector<std::string> env;
        const char* named;
    };
    const Case cases[] = {
        {{"-u", "DISPLAY", "-u", "WAYLAND_DISPLAY"}, "neither DISPLAY nor WAYLAND_DISPLAY"},
        {{"-u", "WAYLAND_DISPLAY", "DISPLAY=:4999"}, "\":4999\" (DISPLAY)"},
        {{"DISPLAY=", "WAYLAND_DISPLAY=padrix-none", "XDG_RUNTIME_DIR=/nonexistent"},
         "\"padrix-none\" (WAYLAND_DISPLAY)"},
    };
    QTemporaryDir dir;
    const std::string errors = dir.filePath("stderr").toStdString();
    for (const Case& c : cases) {
        std::vector<std::string> argv = {"env"};
        argv.insert(argv.end(), c.env.begin(), c.env.end());
        argv.push_back(PADRIX_BINARY);
        Child padrix(argv, {}, errors);
        int status = 0;
        ASSERT_TRUE(padrix.WaitExit(20000, &status)) << c.named;
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 1) << c.named << " " << status;
        QFile file(QString::fromStdString(errors));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const std::string text = file.readAll().toStdString();
        EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 1) << text;
        EXPECT_NE(text.find(c.named), std::string::npos) << text;
        EXPECT_NE(text.find("start Padrix from a desktop session"), std::string::npos) << text;
    }
}

}  // namespace
}  // namespace padrix::testing
