#include "AppRig.h"
#include "app/AppTexts.h"
#include "app/TrayMessage.h"

namespace padrix {
namespace {

class AppIcon : public ::testing::Test {
  protected:
    void SetUp() override {
        pad = rig.controllers.Add("pad");
        form = &rig.Start();
        form->SetConfigDialogHandler([this] { ++configShown; });
    }
    testing::AppRig rig;
    std::shared_ptr<fakes::PadState> pad;
    TrayApplication* form = nullptr;
    int configShown = 0;
};

TEST_F(AppIcon, OnlyARightReleaseOpensTheMenuAndOnlyADoubleClickLaunches) {
    const struct {
        int message;
        bool menu, launch;
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
            // Messages while the popup is open are dropped.
            EXPECT_TRUE(form->IconBusy());
            form->OnIconMessage(kTrayLeftDoubleClick);
            m.close();
        });
        const int before = configShown;
        // The menu's own loop closes it; without a menu the call returns at once.
        form->OnIconMessage(c.message);
        delete watch.data();
        EXPECT_EQ(menuOpened, c.menu) << c.message;
        EXPECT_EQ(configShown - before, c.launch ? 1 : 0) << c.message;
        EXPECT_FALSE(form->IconBusy());
    }
}

TEST_F(AppIcon, DoubleClickWithoutEmulatorAppliesTheLayoutAgainAndOpensConfiguration) {
    EXPECT_EQ(configShown, 0) << "at start-up nothing is shown";
    KeyMap map = form->session().engine().Map(1);
    map.A = 'Q';
    form->session().engine().SetMap(1, map);
    form->OnIconMessage(kTrayLeftDoubleClick);
    EXPECT_EQ(form->session().engine().Map(1).A, 'J');
    EXPECT_EQ(configShown, 1);
    EXPECT_TRUE(rig.output.Take().empty()) << "no Enter without a window";
}

TEST_F(AppIcon, EmulatorInTheWinePrefixIsStartedFromItsRegistryLocation) {
    rig.WriteFile(rig.winePrefix + "/drive_c/VGS/VGS.exe", "MZ");
    QDir(QString::fromStdString(rig.winePrefix)).mkpath("dosdevices");
    QFile::link("../drive_c", QString::fromStdString(rig.winePrefix + "/dosdevices/c:"));
    rig.WriteFile(rig.winePrefix + "/system.reg",
                  "WINE REGISTRY Version 2\n\n"
                  "[Software\\\\Connectix\\\\Connectix Virtual Game Station\\\\General] 1\n"
                  "\"Location\"=\"C:\\\\VGS\\\\VGS.exe\"\n");
    form->OnIconMessage(kTrayLeftDoubleClick);
    EXPECT_EQ(configShown, 0);
    const QStringList launched = rig.Launched();
    ASSERT_EQ(launched.size(), 1);
    EXPECT_TRUE(launched[0].startsWith("wine ") && launched[0].endsWith("/drive_c/VGS/VGS.exe"))
        << launched[0].toStdString();
}

// Continuous polling runs until switched off, even with mapping disabled; a
// message inside its loop is handled and returns to the loop.
TEST_F(AppIcon, ContinuousPollingRunsUntilSwitchedOff) {
    for (bool enabled : {true, false}) {
        SCOPED_TRACE(enabled);
        if (form->session().menu().enabled != enabled) {
            form->Choose(MenuEntry::Enabled);
        }
        pad->state.buttons[0] = 0x80;
        form->Choose(MenuEntry::PollRate);
        int nested = 0;
        QTimer::singleShot(0, [&] {
            form->OnIconMessage(kTrayLeftDoubleClick);
            ++nested;
            form->Choose(MenuEntry::PollRate);
        });
        form->OnIconMessage(kTrayMouseMove);
        EXPECT_EQ(nested, 1);
        EXPECT_FALSE(form->session().engine().options().MaxPollRate);
        const auto events = rig.output.Take();
        EXPECT_EQ(std::count(events.begin(), events.end(), fakes::OutEvent::Down('J')),
                  enabled ? 1 : 0);
        pad->state.buttons[0] = 0;
        form->session().engine().PollCycle();
        rig.output.Take();
    }
    form->Choose(MenuEntry::PollRate);
    QTimer::singleShot(0, [this] { form->Choose(MenuEntry::Exit); });
    form->OnIconMessage(kTrayMouseMove);
    EXPECT_TRUE(form->Unloaded()) << "exit inside the loop ends it";
}

TEST_F(AppIcon, FallbackWindowCarriesTheMenuAndTheDoubleClick) {
    if (!form->presence().FallbackShown()) {
        GTEST_SKIP() << "this desktop has a notification area";
    }
    FallbackWindow& window = *form->presence().fallback();
    EXPECT_EQ(window.windowTitle(), kDefaultCaption);
    EXPECT_EQ(window.minimumSize(), window.maximumSize()) << "fixed, a tiling manager floats it";
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

TEST(AppTip, IsTheCaptionAndCreditCutTo63Characters) {
    EXPECT_EQ(IconTip("Padrix 1.10 for DirectX8"), "Padrix 1.10 for DirectX8" + kTipCredit);
    EXPECT_EQ(IconTip(QString(100, 'x')), QString(63, 'x'));
    EXPECT_EQ(IconTip("Padrix", std::string("Arena")), "Padrix - Arena") << "a profile in force";
    EXPECT_EQ(IconTip("Padrix", std::string()), "Padrix" + kTipCredit) << "a layout in force";
    EXPECT_EQ(IconTip(QString(62, 'x') + QString::fromUtf8("\xF0\x9F\x98\x80")), QString(62, 'x'))
        << "a character made of two units is not split";
}

}  // namespace
}  // namespace padrix
