#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <QDir>
#include <QTemporaryDir>

#include "XKit.h"

namespace padrix::testing {
namespace {

constexpr const char* kCaption = "Padrix 1.10 for DirectX8";

// The installed program on a private display, with its own settings, runtime
// folder and an empty Wine prefix: no emulator anywhere.
class AppTray : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(x.ok()) << "Xvfb did not start";
        for (const char* d : {"config", "runtime", "home", "prefix"}) {
            QDir(dir.path()).mkpath(d);
        }
        QFile::setPermissions(dir.filePath("runtime"), QFileDevice::ReadOwner |
                                                           QFileDevice::WriteOwner |
                                                           QFileDevice::ExeOwner);
    }

    std::unique_ptr<Child> StartTrayer() {
        auto trayer = std::make_unique<Child>(
            std::vector<std::string>{"trayer", "--edge", "top", "--align", "right", "--widthtype",
                                     "pixel", "--width", "200", "--height", "32"},
            x.Env());
        EXPECT_TRUE(WaitUntil([this] { return x.HasNotificationArea(); }));
        return trayer;
    }

    std::unique_ptr<Child> StartPadrix() {
        std::map<std::string, std::string> env = x.Env();
        env["XDG_CONFIG_HOME"] = dir.filePath("config").toStdString();
        env["XDG_RUNTIME_DIR"] = dir.filePath("runtime").toStdString();
        env["HOME"] = dir.filePath("home").toStdString();
        env["WINEPREFIX"] = dir.filePath("prefix").toStdString();
        env["QT_QPA_PLATFORM"] = "xcb";
        env["ASAN_OPTIONS"] = "detect_leaks=0";
        return std::make_unique<Child>(std::vector<std::string>{PADRIX_BINARY}, env);
    }

    // The icon: a padrix window embedded in the notification area.
    XWindowId WaitForIcon() {
        XWindowId icon = 0;
        WaitUntil([&] {
            icon = x.EmbeddedByClass("padrix");
            return icon != 0;
        });
        return icon;
    }

    bool NoPadrixWindowShown() { return x.ViewableByClass("padrix").empty(); }

    ino_t SettingsInode() {
        struct stat st {};
        const std::string path = dir.filePath("config/Padrix/Padrix.ini").toStdString();
        return stat(path.c_str(), &st) == 0 ? st.st_ino : 0;
    }

    void Click(XWindowId w, const char* button, int clicks = 1) {
        const auto [cx, cy] = x.Centre(w);
        ASSERT_TRUE(
            x.Xdotool({"mousemove", "--sync", std::to_string(cx), std::to_string(cy), "click",
                       "--repeat", std::to_string(clicks), "--delay", "50", button}));
    }

    PrivateDisplay x;
    QTemporaryDir dir;
};

TEST_F(AppTray, IconAppearsAndExitFromItsMenuEndsTheProgramWithTheIconGone) {
    auto trayer = StartTrayer();
    auto padrix = StartPadrix();
    const XWindowId icon = WaitForIcon();
    ASSERT_NE(icon, 0u) << "no icon in the notification area";
    EXPECT_TRUE(x.ViewableByTitle(kCaption).empty()) << "no fallback window with a tray";

    Click(icon, "3");
    ASSERT_TRUE(WaitUntil([&] {
        for (XWindowId w : x.ViewableByClass("padrix")) {
            if (x.IsTopLevel(w) && x.IsOverrideRedirect(w)) {
                return true;
            }
        }
        return false;
    })) << "the menu did not open";
    // The menu opens with nothing selected: Up reaches its last entry, E&xit.
    ASSERT_TRUE(x.Xdotool({"key", "Up", "Return"}));

    int status = 0;
    ASSERT_TRUE(padrix->WaitExit(20000, &status)) << "the program did not end";
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    EXPECT_TRUE(WaitUntil([this] { return NoPadrixWindowShown(); }));
}

TEST_F(AppTray, ASecondStartEndsSilentlyAndTheFirstKeepsItsIcon) {
    auto trayer = StartTrayer();
    auto first = StartPadrix();
    ASSERT_NE(WaitForIcon(), 0u);
    auto second = StartPadrix();
    int status = 0;
    ASSERT_TRUE(second->WaitExit(20000, &status));
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_TRUE(first->Running());
    EXPECT_EQ(x.ViewableByClass("padrix").size(), 1u);
    EXPECT_NE(WaitForIcon(), 0u);
}

TEST_F(AppTray, DoubleClickWithoutEmulatorAppliesTheLayoutAgainAndOpensNothing) {
    auto trayer = StartTrayer();
    auto padrix = StartPadrix();
    const XWindowId icon = WaitForIcon();
    ASSERT_NE(icon, 0u);
    ASSERT_TRUE(WaitUntil([&] { return SettingsInode() != 0; })) << "start-up stores the layout";
    EXPECT_EQ(x.ViewableByClass("padrix").size(), 1u) << "start-up opened nothing";

    const ino_t before = SettingsInode();
    Click(icon, "1", 2);
    // Applying the layout stores "Last" again, which replaces the settings file.
    EXPECT_TRUE(WaitUntil([&] { return SettingsInode() != before; }));
    EXPECT_EQ(x.ViewableByClass("padrix").size(), 1u) << "nothing opened";
    EXPECT_TRUE(padrix->Running());
}

TEST_F(AppTray, WithoutNotificationAreaTheWindowStandsInUntilOneAppears) {
    auto padrix = StartPadrix();
    ASSERT_TRUE(WaitUntil([&] { return !x.ViewableByTitle(kCaption).empty(); }))
        << "no fallback window";
    auto trayer = StartTrayer();
    EXPECT_NE(WaitForIcon(), 0u);
    EXPECT_TRUE(WaitUntil([&] { return x.ViewableByTitle(kCaption).empty(); }));
    kill(padrix->pid(), SIGTERM);
    int status = 0;
    ASSERT_TRUE(padrix->WaitExit(20000, &status));
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
}

}  // namespace
}  // namespace padrix::testing
