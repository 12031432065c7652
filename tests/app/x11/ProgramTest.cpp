// The installed program, run as a user runs it: its command line, its
// icon in a notification area on a private display, its settings.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
#include <functional>
#include <memory>

#include "Child.h"
#include "PrivateDisplay.h"
#include "settings/IniSettingsStore.h"

namespace padrix::testing {
namespace {

constexpr const char* kCaption = "Padrix 1.10 for DirectX8";

struct Outcome {
    int status = -1;
    QString out;
    QString err;
};

// Runs a program with no display at all: what it prints must not need one.
Outcome RunWithoutDisplay(const char* program, const QStringList& args) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("DISPLAY"));
    env.remove(QStringLiteral("WAYLAND_DISPLAY"));
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    QProcess process;
    process.setProcessEnvironment(env);
    process.start(QString::fromLatin1(program), args);
    EXPECT_TRUE(process.waitForFinished(30000));
    Outcome outcome;
    if (process.exitStatus() == QProcess::NormalExit) {
        outcome.status = process.exitCode();
    }
    outcome.out = QString::fromLocal8Bit(process.readAllStandardOutput());
    outcome.err = QString::fromLocal8Bit(process.readAllStandardError());
    return outcome;
}

// What the command line says goes to standard output or, refused, to
// standard error; the texts are the parser's.
TEST(AppCommandLineProgram, AnswersWithoutADisplay) {
    const struct {
        const char* program;
        QStringList args;
        int status;
        const char* out;  // the start of standard output
        const char* err;  // the start of standard error, one line
    } cases[] = {
        {PADRIX_BINARY, {"--version"}, 0, "padrix " PADRIX_VERSION "\n", ""},
        {PADRIX_BINARY, {"--bogus"}, 2, "", "padrix: Unknown option 'bogus'."},
        {PADRIX_JOYTEST_BINARY, {"--version"}, 0, "padrix-joytest " PADRIX_VERSION "\n", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args.join(' ').toStdString());
        const Outcome outcome = RunWithoutDisplay(c.program, c.args);
        EXPECT_EQ(outcome.status, c.status);
        const QString out = QString::fromUtf8(c.out);
        const QString err = QString::fromUtf8(c.err);
        EXPECT_EQ(outcome.out.left(out.size()), out);
        EXPECT_EQ(outcome.err.left(err.size()), err);
        EXPECT_EQ(outcome.err.count('\n'), c.status == 0 ? 0 : 1);
    }
}

QStringList FilesUnder(const QString& folder) {
    QStringList files;
    QDirIterator it(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        files << it.next();
    }
    return files;
}

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

void Write(const QString& path, const QString& text) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(text.toUtf8());
}
QString Read(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

// The program on a private display, with its own settings, runtime folder
// and an empty Wine prefix: no emulator unless a test puts one there.
class AppProgram : public ::testing::Test {
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
    std::unique_ptr<Child> StartPadrix(std::vector<std::string> args = {},
                                       const Environment& extra = {}) {
        Environment env = x.ProgramEnv(dir.path().toStdString());
        for (const auto& [name, value] : extra) {
            env[name] = value;
        }
        args.insert(args.begin(), PADRIX_BINARY);
        return std::make_unique<Child>(args, env);
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
    // Clicks the icon until `shown`: the notification area may still move a
    // new icon after it first appears, away from a click.
    bool ClickIconUntil(XWindowId icon, const char* button, int clicks,
                        const std::function<bool()>& shown) {
        for (int attempt = 0; attempt < 5; ++attempt) {
            const auto clickedAt = x.Centre(icon);
            Click(icon, button, clicks);
            bool moved = false;
            const bool done = WaitUntil([&] {
                moved = x.Centre(icon) != clickedAt;
                return shown() || moved;
            });
            if (shown() || !moved) {
                return done;
            }
        }
        return false;
    }
    bool OpenMenu(XWindowId icon) {
        return ClickIconUntil(icon, "3", 1, [this] { return MenuShown(); });
    }

    void Click(XWindowId w, const char* button, int clicks = 1) {
        const auto [cx, cy] = x.Centre(w);
        ASSERT_TRUE(
            x.Xdotool({"mousemove", "--sync", std::to_string(cx), std::to_string(cy), "click",
                       "--repeat", std::to_string(clicks), "--delay", "50", button}));
    }

    // Ends the program the way the session would.
    static bool Stopped(Child& padrix) {
        return kill(padrix.pid(), SIGTERM) == 0 && EndedWell(padrix);
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
TEST_F(AppProgram, TheWindowStandsInForTheIconASecondStartEndsAndExitEndsAll) {
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
// opening it stores none. So do Game Controllers and the auto configuration
// prompt, opened from the dialog by keyboard; a chosen file without their
// lines leaves them English.
struct DesktopLanguage {
    const char* lang;
    const char* caption;
    bool doubleClick;
    const char* gameControllers;
    const char* prompt;
    int chosenLines = 0;  // a German file of this many lines chosen, else none
};
void PrintTo(const DesktopLanguage& language, std::ostream* os) {
    *os << language.lang << " " << language.chosenLines;
}
class AppTrayLanguage : public AppProgram, public ::testing::WithParamInterface<DesktopLanguage> {
  protected:
    // Focuses the window titled `title` and types keys there.
    bool TypeAt(const char* title, const std::vector<std::string>& keys) {
        const auto shown = x.Viewable({}, title);
        if (shown.empty()) {
            return false;
        }
        std::vector<std::string> args{"windowfocus", "--sync", std::to_string(shown.front().id),
                                      "key"};
        args.insert(args.end(), keys.begin(), keys.end());
        return x.Xdotool(args);
    }
    bool Shows(const char* title) {
        return WaitUntil([&] { return !x.Viewable({}, title).empty(); });
    }
};

TEST_P(AppTrayLanguage, TheWindowsOpenInTheDesktopLanguage) {
    const DesktopLanguage& language = GetParam();
    std::string chosen = "<none>";
    if (language.chosenLines > 0) {
        chosen = dir.filePath("Padrix_Alt.txt").toStdString();
        const QStringList german =
            Read(QStringLiteral(PADRIX_LANGUAGE_SOURCE_DIR "/Padrix_Deutsch.txt")).split('\n');
        Write(QString::fromStdString(chosen), german.mid(0, language.chosenLines).join('\n'));
        IniSettingsStore(SettingsPath()).SaveSetting("Custom", "Lang", chosen);
    }
    auto trayer = StartTrayer();
    auto padrix = StartPadrix({}, {{"LANG", language.lang}});
    const XWindowId icon = WaitForIcon();
    ASSERT_NE(icon, 0u);
    EXPECT_FALSE(FallbackShown()) << "no fallback window with a tray";
    EXPECT_EQ(Dialogs(), 0u) << "start-up opened nothing";
    if (language.doubleClick) {
        ASSERT_TRUE(ClickIconUntil(icon, "1", 2, [this] { return Dialogs() == 1; }));
    } else {
        ASSERT_TRUE(OpenMenu(icon)) << "the menu did not open";
        // From nothing selected, Down reaches "Enabled" and then "Configure Joypad...".
        ASSERT_TRUE(x.Xdotool({"key", "Down", "Down", "Return"}));
    }
    EXPECT_TRUE(WaitUntil([&] { return Dialogs() == 1; }));
    ASSERT_TRUE(Shows(language.caption)) << "no dialog titled " << language.caption;

    // Back from the first control: the language list, then Game Controllers;
    // from there the profile box, Save and "Auto...".
    ASSERT_TRUE(TypeAt(language.caption, {"shift+Tab", "shift+Tab", "space"}));
    EXPECT_TRUE(Shows(language.gameControllers)) << language.gameControllers;
    ASSERT_TRUE(TypeAt(language.gameControllers, {"Escape"}));
    ASSERT_TRUE(TypeAt(language.caption, {"shift+Tab", "shift+Tab", "shift+Tab", "space"}));
    EXPECT_TRUE(Shows(language.prompt)) << language.prompt;
    ASSERT_TRUE(TypeAt(language.prompt, {"Escape"}));
    EXPECT_TRUE(WaitUntil([&] { return x.Viewable({}, language.prompt).empty(); }));

    EXPECT_TRUE(padrix->Running());
    EXPECT_EQ(IniSettingsStore(SettingsPath()).GetSetting("Custom", "Lang", "<none>"), chosen);
}

INSTANTIATE_TEST_SUITE_P(
    Desktop, AppTrayLanguage,
    ::testing::Values(DesktopLanguage{"en_US.UTF-8", "SideWinder Config", true, "Game Controllers",
                                      "Auto Config"},
                      DesktopLanguage{"de_DE.UTF-8", "Joypad-Einstellungen", false,
                                      "Gamecontroller", "Automatische Belegung"},
                      DesktopLanguage{"de_DE.UTF-8", "Joypad-Einstellungen", true,
                                      "Game Controllers", "Auto Config", 36}),
    [](const auto& info) {
        return std::string(info.param.lang).substr(0, 2) +
               (info.param.chosenLines > 0 ? "_older_file" : "");
    });

// "Start Padrix with VGS" is on and the settings are kept elsewhere: the
// program writes only that file, leaving the user's folders empty, and
// --no-launch skips the emulator for that start only, the option staying on.
// The runs are told apart by their environment, which the emulator inherits.
TEST_F(AppProgram, SettingsElsewhereAndNoLaunchForThatStartOnly) {
    x.ProgramEnv(dir.path().toStdString());  // its folders, before the registry goes in
    const QString emulator = dir.filePath("vgs-stand-in");
    const QString launchLog = dir.filePath("launched.txt");
    Write(emulator, "#!/bin/sh\necho \"$PADRIX_TEST_RUN\" >> '" + launchLog + "'\n");
    QFile::setPermissions(emulator, QFile::permissions(emulator) | QFileDevice::ExeOwner);
    Write(dir.filePath("prefix/system.reg"),
          "WINE REGISTRY Version 2\n\n"
          "[Software\\\\Connectix\\\\Connectix Virtual Game Station\\\\General] 1\n"
          "\"Location\"=\"" +
              emulator + "\"\n");
    QDir(dir.path()).mkpath("elsewhere");
    const QString settings = dir.filePath("elsewhere/second setup.ini");
    Write(settings, "[Custom]\nVGSStartUp=-1\n");
    const std::vector<std::string> args{"--settings", settings.toStdString()};
    auto quiet = StartPadrix({"--no-launch", args[0], args[1]}, {{"PADRIX_TEST_RUN", "no-launch"}});
    // Start-up stores the layout it applied.
    ASSERT_TRUE(WaitUntil([&] { return Read(settings).contains("Last="); }))
        << "start-up did not get as far as the layout";
    EXPECT_TRUE(Stopped(*quiet));

    auto launching = StartPadrix(args, {{"PADRIX_TEST_RUN", "plain"}});
    ASSERT_TRUE(WaitUntil([&] { return !Read(launchLog).isEmpty(); })) << "no emulator started";
    EXPECT_TRUE(Stopped(*launching));
    EXPECT_EQ(Read(launchLog), QStringLiteral("plain\n"));
    EXPECT_TRUE(Read(settings).contains("VGSStartUp=-1"));
    EXPECT_EQ(FilesUnder(dir.filePath("config")), QStringList());
    EXPECT_EQ(FilesUnder(dir.filePath("home")), QStringList());
    EXPECT_EQ(FilesUnder(dir.filePath("elsewhere")), QStringList{settings});
}

}  // namespace
}  // namespace padrix::testing
