#include <gtest/gtest.h>

#include <QMessageBox>
#include <QTest>

#include "AppRig.h"
#include "UiDriver.h"
#include "app/TrayMessage.h"

namespace padrix {
namespace {

using testing::AppRig;

class AppIcon : public ::testing::Test {
  protected:
    void SetUp() override {
        pad = rig.controllers.Add("pad");
        form = &rig.Start();
        form->SetJoyConfigHandler([this] { ++configShown; });
    }
    AppRig rig;
    std::shared_ptr<fakes::PadState> pad;
    formPadrix* form = nullptr;
    int configShown = 0;
};

TEST_F(AppIcon, OnlyARightReleaseOpensTheMenuAndOnlyADoubleClickLaunches) {
    const struct {
        int message;
        bool menu;
        bool launch;
    } cases[] = {
        {kTrayMouseMove, false, false},      {kTrayLeftDown, false, false},
        {kTrayLeftUp, false, false},         {kTrayRightDown, false, false},
        {kTrayMiddleUp, false, false},       {kTrayRightUp, true, false},
        {kTrayLeftDoubleClick, false, true},
    };
    for (const auto& c : cases) {
        bool menuOpened = false;
        QPointer<QTimer> watch = testing::OnNextPopup([&](QMenu& m) {
            menuOpened = true;
            m.close();
        });
        const int before = configShown;
        // The menu's own loop closes it; without a menu the call returns at once.
        form->Form_MouseMove(c.message);
        delete watch.data();
        EXPECT_EQ(menuOpened, c.menu) << c.message;
        EXPECT_EQ(configShown - before, c.launch ? 1 : 0) << c.message;
    }
}

TEST_F(AppIcon, AnEntryChosenInThePopupRunsBeforeThePopupReturns) {
    testing::OnNextPopup([this](QMenu& m) {
        QAction& snes = form->mnuMain().action(MenuEntry::SNES9X);
        QTest::mouseClick(&m, Qt::LeftButton, {}, m.actionGeometry(&snes).center());
    });
    form->Form_MouseMove(kTrayRightUp);
    EXPECT_EQ(form->tray().layout, Layout::Snes9x);
    EXPECT_EQ(rig.Setting("Last"), "1");
}

TEST_F(AppIcon, MessagesWhileThePopupIsOpenAreDropped) {
    testing::OnNextPopup([this](QMenu& m) {
        EXPECT_TRUE(form->engine().latches.BusyFlags[0]);
        form->Form_MouseMove(kTrayLeftDoubleClick);
        m.close();
    });
    form->Form_MouseMove(kTrayRightUp);
    EXPECT_EQ(configShown, 0);
    EXPECT_FALSE(form->engine().latches.BusyFlags[0]);
}

TEST_F(AppIcon, DoubleClickWithoutEmulatorAppliesTheLayoutAgainAndOpensConfiguration) {
    EXPECT_EQ(configShown, 0) << "at start-up nothing is shown";
    form->engine().tables.keyMap[0].A = 'Q';
    form->Form_MouseMove(kTrayLeftDoubleClick);
    EXPECT_EQ(form->engine().tables.keyMap[0].A, 'J');
    EXPECT_EQ(configShown, 1);
    EXPECT_TRUE(rig.output.Take().empty()) << "no Enter without a window";
}

TEST_F(AppIcon, EmulatorInTheWinePrefixIsStartedFromItsRegistryLocation) {
    QDir(QString::fromStdString(rig.winePrefix)).mkpath("drive_c/VGS");
    QFile exe(QString::fromStdString(rig.winePrefix + "/drive_c/VGS/VGS.exe"));
    ASSERT_TRUE(exe.open(QIODevice::WriteOnly));
    exe.write("MZ");
    exe.close();
    QDir(QString::fromStdString(rig.winePrefix)).mkpath("dosdevices");
    QFile::link("../drive_c", QString::fromStdString(rig.winePrefix + "/dosdevices/c:"));
    QFile reg(QString::fromStdString(rig.winePrefix + "/system.reg"));
    ASSERT_TRUE(reg.open(QIODevice::WriteOnly));
    reg.write(
        "WINE REGISTRY Version 2\n\n"
        "[Software\\\\Connectix\\\\Connectix Virtual Game Station\\\\General] 1700000000\n"
        "\"Location\"=\"C:\\\\VGS\\\\VGS.exe\"\n");
    reg.close();

    form->Form_MouseMove(kTrayLeftDoubleClick);
    EXPECT_EQ(configShown, 0);
    ASSERT_TRUE(testing::WaitForFile(rig.launchLog));
    const QStringList lines = testing::ReadLines(rig.launchLog);
    ASSERT_EQ(lines.size(), 1);
    EXPECT_TRUE(lines[0].startsWith("wine ") && lines[0].endsWith("VGS.exe"))
        << lines[0].toStdString();
}

TEST_F(AppIcon, ContinuousPollingRunsUntilSwitchedOffEvenWithMappingDisabled) {
    for (bool enabled : {true, false}) {
        SCOPED_TRACE(enabled);
        if (form->tray().Enabled != enabled) {
            form->mnuEnabled_Click();
        }
        pad->state.buttons[0] = 0x80;
        form->mnuPollRate_Click();
        int nested = 0;
        QTimer::singleShot(0, [&] {
            // A message inside the loop is handled and returns to the loop.
            form->Form_MouseMove(kTrayLeftDoubleClick);
            ++nested;
            form->mnuPollRate_Click();
        });
        form->Form_MouseMove(kTrayMouseMove);
        EXPECT_EQ(nested, 1);
        EXPECT_FALSE(form->engine().options.MaxPollRate);
        const auto events = rig.output.Take();
        EXPECT_EQ(std::count(events.begin(), events.end(), fakes::OutEvent::Down('J')),
                  enabled ? 1 : 0);
        pad->state.buttons[0] = 0;
        form->engine().PollCycle();
        rig.output.Take();
    }
}

TEST_F(AppIcon, ExitInsideContinuousPollingEndsTheLoop) {
    form->mnuPollRate_Click();
    QTimer::singleShot(0, [this] { form->mnuExit_Click(); });
    form->Form_MouseMove(kTrayMouseMove);
    EXPECT_TRUE(form->Unloaded());
    EXPECT_TRUE(form->engine().options.MaxPollRate);
}

TEST_F(AppIcon, FallbackWindowCarriesTheMenuAndTheDoubleClick) {
    if (!form->presence().FallbackShown()) {
        GTEST_SKIP() << "this desktop has a notification area";
    }
    FallbackWindow& window = *form->presence().fallback();
    EXPECT_EQ(window.windowTitle(), "Padrix 1.10 for DirectX8");
    bool menuOpened = false;
    testing::OnNextPopup([&](QMenu& m) {
        menuOpened = true;
        m.close();
    });
    QTest::mouseClick(&window.menuButton(), Qt::LeftButton);
    EXPECT_TRUE(QTest::qWaitFor([&] { return menuOpened; }, 10000));
    QTest::mouseDClick(&window, Qt::LeftButton);
    EXPECT_TRUE(QTest::qWaitFor([this] { return configShown == 1; }, 10000));
    window.close();
    EXPECT_TRUE(QTest::qWaitFor([this] { return form->Unloaded(); }, 10000))
        << "closing the stand-in window ends the program";
}

TEST_F(AppIcon, AboutShowsTheCreditAndBothHomePages) {
    QString title, text;
    testing::OnNextModal([&](QWidget& w) {
        auto& box = dynamic_cast<QMessageBox&>(w);
        title = box.windowTitle();
        text = box.text();
        EXPECT_EQ(box.icon(), QMessageBox::Information);
    });
    form->mnuAbout_Click();
    EXPECT_EQ(title, "Padrix 1.10 for DirectX8");
    const QStringList lines = text.split('\n');
    ASSERT_EQ(lines.size(), 3);
    EXPECT_TRUE(lines[1].endsWith("README.md"));
    EXPECT_TRUE(lines[2].endsWith("docs"));
}

}  // namespace
}  // namespace padrix
