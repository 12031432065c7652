#include <gtest/gtest.h>

#include <QFile>
#include <QMessageBox>
#include <QSignalSpy>

#include "AppRig.h"
#include "UiDriver.h"
#include "app/TrayMessage.h"
#include "engine/VirtualKeys.h"

namespace padrix {
namespace {

using testing::AppRig;

TEST(AppStartup, EmptyStoreAndASideWinderPadGiveTheDefaults) {
    AppRig rig;
    rig.controllers.Add("my sidewinder pad", 10);
    formPadrix& form = rig.Start();
    const Options& o = form.engine().options;
    EXPECT_FALSE(o.UseMAsSelect);
    EXPECT_FALSE(o.LogitechPatch);
    EXPECT_TRUE(o.AllowAutoFire);
    EXPECT_FALSE(o.AutoFireActive);
    EXPECT_TRUE(form.tray().StartWithVgs);
    EXPECT_TRUE(form.tray().AutodetectProfile);
    EXPECT_FALSE(o.DosMode);
    EXPECT_FALSE(o.MaxPollRate);
    EXPECT_EQ(o.RumbleType, kRumbleRandom);
    EXPECT_EQ(form.engine().tables.joypadsEnabled, "11111111");
    EXPECT_EQ(form.tray().layout, Layout::Vgs);
    EXPECT_EQ(rig.Setting("Last"), "2");
    EXPECT_EQ(rig.Setting("Select"), "<none>") << "start-up writes no option but Last";

    const PadTables& t = form.engine().tables;
    EXPECT_EQ(t.joypadCount, 1);
    EXPECT_EQ(t.joypadMaxButton[0], 9);
    EXPECT_EQ(t.keyMap[0].A, 'J');
    EXPECT_EQ(t.keyMap[0].EscapeKey, vk::Escape);
    EXPECT_EQ(t.keyMap[1].EscapeKey, 0) << "only joypads found get the escape key";
    EXPECT_TRUE(form.Timer1().Enabled());
    EXPECT_EQ(form.Timer1().Interval(), 1);
    EXPECT_EQ(form.Timer1().timer().timerType(), Qt::PreciseTimer);
    EXPECT_TRUE(form.mnuMain().action(MenuEntry::Enabled).isChecked());
    EXPECT_TRUE(form.presence().FallbackShown() || form.presence().IconShown());
    EXPECT_FALSE(QFile::exists(QString::fromStdString(rig.launchLog))) << "nothing launched";
}

TEST(AppStartup, OptionDefaultsFollowTheFirstJoypadsName) {
    const struct {
        const char* name;
        bool select, logitech;
    } cases[] = {
        {"", true, false},
        {"Microsoft SideWinder Game Pad", false, false},
        {"Logitech WingMan Gamepad", true, true},
        {"Generic USB Joystick", true, false},
    };
    for (const auto& c : cases) {
        AppRig rig;
        if (*c.name != '\0') {
            rig.controllers.Add(c.name);
        }
        formPadrix& form = rig.Start();
        EXPECT_EQ(form.engine().options.UseMAsSelect, c.select) << c.name;
        EXPECT_EQ(form.engine().options.LogitechPatch, c.logitech) << c.name;
    }
}

TEST(AppStartup, StoredLastPicksTheLayoutOnlyWhenExact) {
    const std::pair<const char*, Layout> cases[] = {
        {"1", Layout::Snes9x}, {"3", Layout::Custom}, {"01", Layout::Vgs},
        {"1 ", Layout::Vgs},   {"", Layout::Vgs},     {"banana", Layout::Vgs},
    };
    for (const auto& [last, layout] : cases) {
        AppRig rig;
        rig.controllers.Add("pad");
        rig.settings->SaveSetting("Custom", "Last", last);
        formPadrix& form = rig.Start();
        EXPECT_EQ(form.tray().layout, layout) << '"' << last << '"';
        EXPECT_EQ(rig.Setting("Last"), LastText(layout));
        EXPECT_EQ(form.engine().tables.keyMap[0].A, layout == Layout::Snes9x ? 'D'
                                                    : layout == Layout::Vgs  ? 'J'
                                                                             : 75);
    }
}

TEST(AppStartup, StoredOptionsAndBadValues) {
    AppRig rig;
    rig.controllers.Add("pad");
    rig.settings->SaveSetting("Custom", "Select", "");  // does not convert: stays unchecked
    rig.settings->SaveSetting("Custom", "AutoFire", "false");
    rig.settings->SaveSetting("Custom", "DOS", "-1");
    rig.settings->SaveSetting("Custom", "RumbleType", "3");
    rig.settings->SaveSetting("Custom", "joypads", "10");
    formPadrix& form = rig.Start();
    const Options& o = form.engine().options;
    EXPECT_FALSE(o.UseMAsSelect);
    EXPECT_FALSE(o.AllowAutoFire);
    EXPECT_TRUE(o.DosMode);
    EXPECT_EQ(o.RumbleType, kRumbleStressed);
    EXPECT_EQ(form.engine().tables.joypadsEnabled, "10");
}

TEST(AppStartup, OnlyTheFirstEightJoypadsAreOpened) {
    AppRig rig;
    for (int i = 1; i <= 9; ++i) {
        rig.controllers.Add("pad " + std::to_string(i), i);
    }
    formPadrix& form = rig.Start();
    EXPECT_EQ(form.engine().tables.joypadCount, 8);
    EXPECT_EQ(form.engine().tables.joypadMaxButton[7], 7);
    EXPECT_EQ(rig.controllers.pads[8]->opens, 0);
}

TEST(AppStartup, OddButtonCountsStayInsideTheTables) {
    AppRig rig;
    rig.controllers.Add("none", 0);
    rig.controllers.Add("negative", -5);
    rig.controllers.Add("huge", 100000);
    formPadrix& form = rig.Start();
    const auto& max = form.engine().tables.joypadMaxButton;
    EXPECT_EQ(max[0], -1);
    EXPECT_EQ(max[1], -1);
    EXPECT_EQ(max[2], kJoyStateButtons - 1);
    form.engine().PollCycle();
}

TEST(AppStartup, ASecondInstanceEndsSilentlyAndTheFirstKeepsItsIcon) {
    AppRig first;
    first.controllers.Add("pad");
    formPadrix& running = first.Start();

    AppRig second;
    second.controllers.Add("pad");
    SingleInstance sameLock(QString::fromStdString(first.runtimeFolder));
    formPadrix other(
        {sameLock, second.controllers, *second.settings, second.output, second.keys,
         second.screenshots, second.windows, second.launcher, second.clock, second.random},
        {second.programFolder, {}, {}});
    EXPECT_EQ(other.Form_Load(), formPadrix::LoadResult::kAlreadyRunning);
    EXPECT_EQ(second.controllers.pads[0]->opens, 0);
    EXPECT_FALSE(QFile::exists(QString::fromStdString(second.settingsPath)));
    EXPECT_FALSE(other.presence().FallbackShown() || other.presence().IconShown());
    EXPECT_TRUE(running.presence().FallbackShown() || running.presence().IconShown());
    EXPECT_FALSE(running.Unloaded());
}

TEST(AppStartup, MissingInputSystemShowsOneMessageAndRegistersNothing) {
    AppRig rig;
    rig.controllers.startOk = false;
    rig.controllers.Add("pad");
    formPadrix& form = rig.Make();
    QString title, text;
    int boxes = 0;
    testing::OnNextModal([&](QWidget& w) {
        ++boxes;
        auto& box = dynamic_cast<QMessageBox&>(w);
        title = box.windowTitle();
        text = box.text();
        EXPECT_EQ(box.standardButtons(), QMessageBox::Ok);
    });
    EXPECT_EQ(form.Form_Load(), formPadrix::LoadResult::kInputSystemFailed);
    EXPECT_EQ(boxes, 1);
    EXPECT_EQ(title, "Padrix");
    EXPECT_EQ(text, "Error starting Direct Input, please make sure you have DirectX 7a installed");
    EXPECT_FALSE(form.presence().FallbackShown() || form.presence().IconShown());
    EXPECT_EQ(rig.controllers.pads[0]->opens, 0);
    EXPECT_FALSE(form.Timer1().Enabled());
}

TEST(AppStartup, ShiftHeldSkipsTheEmulatorWithoutChangingTheOption) {
    AppRig rig;
    rig.controllers.Add("pad");
    rig.PutEmulatorBesideProgram();
    rig.keys.down.insert(vk::Shift);
    formPadrix& form = rig.Start();
    EXPECT_TRUE(form.tray().StartWithVgs);
    EXPECT_EQ(rig.Setting("VGSStartUp"), "<none>");
    // A double click launches it; that launch is the only one the log sees.
    form.Form_MouseMove(kTrayLeftDoubleClick);
    ASSERT_TRUE(testing::WaitForFile(rig.launchLog));
    const QStringList lines = testing::ReadLines(rig.launchLog);
    ASSERT_EQ(lines.size(), 1);
    EXPECT_TRUE(lines[0].startsWith("wine ")) << lines[0].toStdString();
    EXPECT_TRUE(lines[0].endsWith("/ConnectixVGS.exe")) << lines[0].toStdString();
}

TEST(AppShutdown, ExitReleasesHeldKeysAndJoypadsAndRemovesTheIcon) {
    AppRig rig;
    auto pad = rig.controllers.Add("pad");
    formPadrix& form = rig.Start();
    QSignalSpy unloaded(&form, &formPadrix::unloaded);
    pad->state.buttons[0] = 0x80;
    pad->state.x = 0;
    form.engine().PollCycle();
    rig.output.Take();

    form.mnuExit_Click();
    const auto events = rig.output.Take();
    EXPECT_NE(std::find(events.begin(), events.end(), fakes::OutEvent::Up('J')), events.end());
    EXPECT_NE(std::find(events.begin(), events.end(), fakes::OutEvent::Up('A')), events.end());
    EXPECT_TRUE(pad->released);
    EXPECT_EQ(unloaded.count(), 1);
    EXPECT_FALSE(form.presence().FallbackShown() || form.presence().IconShown());
    EXPECT_FALSE(form.Timer1().Enabled());
    form.Form_Unload();
    EXPECT_EQ(unloaded.count(), 1) << "unloading happens once";
    EXPECT_TRUE(rig.output.Take().empty());
}

}  // namespace
}  // namespace padrix
