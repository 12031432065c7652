#include <QLabel>
#include <QMessageBox>
#include <QSignalSpy>

#include "AppRig.h"
#include "app/AppTexts.h"
#include "app/TrayMessage.h"
#include "engine/VirtualKeys.h"

namespace padrix {
namespace {

using fakes::OutEvent;
using testing::AppRig;

TEST(AppStartup, EmptyStoreAndASideWinderPadGiveTheDefaults) {
    AppRig rig;
    rig.controllers.Add("my sidewinder pad", 10);
    TrayApplication& form = rig.Start();
    EXPECT_FALSE(form.session().engine().options().AutoFireActive);
    EXPECT_EQ(form.session().menu().layout, Layout::Vgs);
    EXPECT_EQ(rig.Setting("Last"), "2");
    EXPECT_EQ(rig.Setting("Select"), "<none>") << "start-up writes no option but Last";

    const PadTables& t = form.session().engine().tables();
    EXPECT_EQ(t.joypadsEnabled, "11111111");
    EXPECT_EQ(t.joypadCount, 1);
    EXPECT_EQ(t.joypadMaxButton[0], 9);
    EXPECT_EQ(t.keyMap[0].A, 'J');
    EXPECT_EQ(t.keyMap[0].EscapeKey, vk::Escape);
    EXPECT_EQ(t.keyMap[1].EscapeKey, 0) << "only joypads found get the escape key";
    EXPECT_TRUE(form.pollingTimer().Enabled());
    EXPECT_EQ(form.pollingTimer().Interval(), 1);
    EXPECT_EQ(form.pollingTimer().timer().timerType(), Qt::PreciseTimer);
    EXPECT_TRUE(form.menu().action(MenuEntry::Enabled).isChecked());
    EXPECT_TRUE(form.presence().FallbackShown() || form.presence().IconShown());
    EXPECT_FALSE(QFile::exists(QString::fromStdString(rig.launchLog))) << "nothing launched";
}

// Joypads past the eighth stay closed; odd button counts stay inside the tables.
TEST(AppStartup, JoypadsOpenedAndTheirHighestButtons) {
    AppRig rig;
    for (int buttons : {0, -5, 100000, 4, 5, 6, 7, 8, 9}) {
        rig.controllers.Add("pad", buttons);
    }
    TrayApplication& form = rig.Start();
    const PadTables& t = form.session().engine().tables();
    EXPECT_EQ(t.joypadCount, 8);
    EXPECT_EQ(rig.controllers.pads[8]->opens, 0);
    const std::array<int, kMaxJoypads> highest = {-1, -1, kJoyStateButtons - 1, 3, 4, 5, 6, 7};
    EXPECT_EQ(t.joypadMaxButton, highest);
    form.session().engine().PollCycle();
}

// Numbered lines padded with spaces and blank lines, as translators write them.
QByteArray Texts(int lastId) {
    QByteArray text;
    for (int id = 0; id <= lastId; ++id) {
        text += "  t" + QByteArray::number(id) + "  \r\n" + (id % 5 == 0 ? "   \n" : "");
    }
    return text;
}

// The message comes from the language file, which is read first, and names
// what the controller system said; start-up then ends with nothing registered.
TEST(AppStartup, MissingInputSystemShowsOneMessageAndRegistersNothing) {
    AppRig rig;
    rig.WriteFile(rig.programFolder + "/Padrix_Test.txt", Texts(18));
    rig.settings->SaveSetting("Custom", "Lang", rig.programFolder + "/Padrix_Test.txt");
    rig.controllers.startOk = false;
    rig.controllers.startError = "Couldn't open /dev/input";
    rig.controllers.Add("pad");
    TrayApplication& form = rig.Make();
    QStringList shown;
    testing::OnNextModal([&](QWidget& w) {
        auto& box = dynamic_cast<QMessageBox&>(w);
        shown << box.windowTitle() << box.text();
        EXPECT_EQ(box.standardButtons(), QMessageBox::Ok);
        EXPECT_EQ(box.textFormat(), Qt::PlainText);
    });
    EXPECT_EQ(form.Load(), TrayApplication::LoadResult::kInputSystemFailed);
    EXPECT_EQ(shown, (QStringList{"Padrix", "t17\n\nSDL: Couldn't open /dev/input"}));
    EXPECT_FALSE(form.presence().FallbackShown() || form.presence().IconShown());
    EXPECT_EQ(rig.controllers.pads[0]->opens, 0);
    EXPECT_FALSE(form.pollingTimer().Enabled());
}

// Caption, the Enabled, Configure and About entries and the two messages.
TEST(AppStartup, LanguageFilesChangeTheTextsTheyReach) {
    const std::pair<QByteArray, QStringList> cases[] = {
        {Texts(28), {"t0", "t1", "t2", "t15", "t17", "t18"}},
        {"Padrix auf Deutsch\nAktiviert\n",
         {"Padrix auf Deutsch", "Aktiviert", "Configure Joypad...",
          // built from the caption before the language is applied
          "About Padrix 1.10 for DirectX8...", kDefaultDirectInputError, kDefaultNoJoystick}},
        {{},  // no such file
         {kDefaultCaption, "Enabled", "Configure Joypad...", "About Padrix 1.10 for DirectX8...",
          kDefaultDirectInputError, kDefaultNoJoystick}},
    };
    for (const auto& [bytes, texts] : cases) {
        AppRig rig;
        const std::string path = rig.programFolder + "/Padrix_Test.txt";
        if (!bytes.isNull()) {
            rig.WriteFile(path, bytes);
        }
        rig.settings->SaveSetting("Custom", "Lang", path);
        TrayApplication& form = rig.Start();
        TrayMenu& menu = form.menu();
        EXPECT_EQ((QStringList{form.Caption(), menu.action(MenuEntry::Enabled).text(),
                               menu.action(MenuEntry::Config).text(),
                               menu.action(MenuEntry::About).text(), form.InputErrorMessage(),
                               form.NoJoystickMessage()}),
                  texts);
        if (const FallbackWindow* window = form.presence().fallback()) {
            EXPECT_EQ(window->windowTitle(), texts[0]);
            const auto* caption = window->findChild<QLabel*>("padrixCaption");
            ASSERT_NE(caption, nullptr);
            EXPECT_EQ(caption->text(), texts[0]);
            EXPECT_EQ(caption->textFormat(), Qt::PlainText);
        }
    }
}

// What the platform says about the desktop is told once per notice, in the
// interface language where its file has the line, else in English; without a
// notification area, in the fallback window.
TEST(AppStartup, PlatformNoticesAreToldOnceInTheLanguageChosen) {
    const std::pair<QByteArray, QStringList> cases[] = {
        {Texts(35), {"t33", "t35"}},
        {Texts(32), {kDefaultNotices[0], kDefaultNotices[2]}},
    };
    for (const auto& [bytes, texts] : cases) {
        AppRig rig;
        const std::string path = rig.programFolder + "/Padrix_Test.txt";
        rig.WriteFile(path, bytes);
        rig.settings->SaveSetting("Custom", "Lang", path);
        TrayApplication& form = rig.Start();
        form.ShowNotices({PlatformNotice::kKeysReachOnlyXPrograms,
                          PlatformNotice::kKeyboardsUnreadable,
                          PlatformNotice::kKeysReachOnlyXPrograms});
        EXPECT_EQ(form.presence().Notices(), texts);
        if (const FallbackWindow* window = form.presence().fallback()) {
            const auto* notice = window->findChild<QLabel*>("padrixNotice");
            ASSERT_NE(notice, nullptr);
            EXPECT_EQ(notice->text(), texts.join('\n'));
        }
    }
}

// Whether main() asked the lock first or the form asks it, the second
// instance touches neither controllers, settings nor the icon.
TEST(AppStartup, ASecondInstanceEndsWithoutTouchingAnything) {
    AppRig first;
    first.Start();
    AppRig second;
    second.controllers.Add("pad");
    InterfaceLanguage language(*second.settings, {}, "C");
    for (const bool askedByMain : {true, false}) {
        SingleInstance sameLock(QString::fromStdString(first.runtimeFolder));
        if (askedByMain) {
            ASSERT_FALSE(sameLock.Acquire());
        }
        TrayApplication other(
            {sameLock, second.controllers, *second.settings, language, second.output, second.keys,
             second.screenshots, second.windows, second.launcher, second.clock, second.random},
            {second.programFolder, {}, {}, {}, {}, {}});
        EXPECT_EQ(other.Load(), TrayApplication::LoadResult::kAlreadyRunning) << askedByMain;
        EXPECT_FALSE(other.presence().FallbackShown() || other.presence().IconShown());
    }
    EXPECT_EQ(second.controllers.pads[0]->opens, 0);
    EXPECT_FALSE(QFile::exists(QString::fromStdString(second.settingsPath)));
}

// Shift held at start, or --no-launch, skips the emulator for this start
// only: the option is neither changed nor stored, and a double click
// launches it, the only launch the log sees.
TEST(AppStartup, ShiftHeldOrNoLaunchSkipsTheEmulatorOnlyAtStart) {
    for (const bool shift : {true, false}) {
        SCOPED_TRACE(shift ? "Shift" : "--no-launch");
        AppRig rig;
        rig.controllers.Add("pad");
        rig.WriteFile(rig.programFolder + "/ConnectixVGS.exe", "MZ");
        if (shift) {
            rig.keys.down.insert(vk::Shift);
        }
        TrayApplication& form = rig.Make();
        form.SetNoLaunch(!shift);
        form.Load();
        EXPECT_TRUE(form.session().menu().startWithVgs);
        EXPECT_EQ(rig.Setting("VGSStartUp"), "<none>");
        form.OnIconMessage(kTrayLeftDoubleClick);
        const QStringList launched = rig.Launched();
        ASSERT_EQ(launched.size(), 1);
        EXPECT_TRUE(launched[0].startsWith("wine ") && launched[0].endsWith("/ConnectixVGS.exe"))
            << launched[0].toStdString();
    }
}

TEST(AppShutdown, ExitReleasesHeldKeysAndJoypadsAndRemovesTheIconOnce) {
    AppRig rig;
    auto pad = rig.controllers.Add("pad");
    TrayApplication& form = rig.Start();
    QSignalSpy unloaded(&form, &TrayApplication::unloaded);
    pad->state.buttons[0] = 0x80;
    pad->state.x = 0;
    form.session().engine().PollCycle();
    rig.output.Take();

    form.menu().action(MenuEntry::Exit).trigger();
    auto events = rig.output.Take();
    std::sort(events.begin(), events.end(),
              [](const OutEvent& a, const OutEvent& b) { return a.vk < b.vk; });
    EXPECT_EQ(events, (std::vector{OutEvent::Up('A'), OutEvent::Up('J')}));
    EXPECT_TRUE(pad->released);
    EXPECT_EQ(unloaded.count(), 1);
    EXPECT_FALSE(form.presence().FallbackShown() || form.presence().IconShown());
    EXPECT_FALSE(form.pollingTimer().Enabled());
    form.Unload();
    EXPECT_EQ(unloaded.count(), 1) << "unloading happens once";
    EXPECT_TRUE(rig.output.Take().empty());
}

}  // namespace
}  // namespace padrix
