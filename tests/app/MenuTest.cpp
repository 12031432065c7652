#include <gtest/gtest.h>

#include <QCoreApplication>
#include <functional>

#include "AppRig.h"
#include "engine/VirtualKeys.h"

namespace padrix {
namespace {

using testing::AppRig;

class AppMenu : public ::testing::Test {
  protected:
    void SetUp() override {
        rig.controllers.Add("Pad One");
        rig.controllers.Add("Pad Two");
        form = &rig.Start();
    }
    AppRig rig;
    formPadrix* form = nullptr;
};

struct Toggle {
    const char* key;
    void (formPadrix::*click)();
    MenuEntry entry;
    bool (*state)(formPadrix&);
};

const Toggle kToggles[] = {
    {"Select", &formPadrix::mnuSelect_Click, MenuEntry::Select,
     [](formPadrix& f) { return f.engine().options.UseMAsSelect; }},
    {"AutoFire", &formPadrix::mnuAutoFire_Click, MenuEntry::AutoFire,
     [](formPadrix& f) { return f.engine().options.AllowAutoFire; }},
    {"VGSStartUp", &formPadrix::mnuStartup_Click, MenuEntry::Startup,
     [](formPadrix& f) { return f.tray().StartWithVgs; }},
    {"Logitech", &formPadrix::mnuLogitech_Click, MenuEntry::Logitech,
     [](formPadrix& f) { return f.engine().options.LogitechPatch; }},
    {"Autodetect", &formPadrix::mnuAutodetectProfile_Click, MenuEntry::AutodetectProfile,
     [](formPadrix& f) { return f.tray().AutodetectProfile; }},
    {"DOS", &formPadrix::mnuDOSApplication_Click, MenuEntry::DOSApplication,
     [](formPadrix& f) { return f.engine().options.DosMode; }},
    {"MaxPollRate", &formPadrix::mnuPollRate_Click, MenuEntry::PollRate,
     [](formPadrix& f) { return f.engine().options.MaxPollRate; }},
};

TEST_F(AppMenu, EveryToggleWritesItsKeyAndReadsBackAtTheNextStart) {
    for (const Toggle& t : kToggles) {
        SCOPED_TRACE(t.key);
        const bool before = t.state(*form);
        std::invoke(t.click, *form);
        const bool after = t.state(*form);
        EXPECT_NE(before, after);
        EXPECT_EQ(form->mnuMain().action(t.entry).isChecked(), after);
        EXPECT_EQ(rig.Setting(t.key), after ? "True" : "False");
    }
    std::vector<bool> expected;
    for (const Toggle& t : kToggles) {
        expected.push_back(t.state(*form));
    }
    rig.ReopenSettings();
    formPadrix& again = rig.Start();
    for (std::size_t i = 0; i < std::size(kToggles); ++i) {
        EXPECT_EQ(kToggles[i].state(again), expected[i]) << kToggles[i].key;
        EXPECT_EQ(again.mnuMain().action(kToggles[i].entry).isChecked(), expected[i]);
    }
}

TEST_F(AppMenu, ToggledTwiceLeavesTheSameText) {
    for (const Toggle& t : kToggles) {
        std::invoke(t.click, *form);
        const std::string once = rig.Setting(t.key);
        std::invoke(t.click, *form);
        std::invoke(t.click, *form);
        EXPECT_EQ(rig.Setting(t.key), once) << t.key;
    }
}

TEST_F(AppMenu, ChoosingAnEntryThroughTheMenuRunsItsHandler) {
    const bool before = form->engine().options.DosMode;
    form->mnuMain().action(MenuEntry::DOSApplication).trigger();
    EXPECT_NE(form->engine().options.DosMode, before);
    EXPECT_EQ(form->mnuMain().action(MenuEntry::DOSApplication).isChecked(), !before);
}

TEST_F(AppMenu, EnabledAndSwapAreNeverSaved) {
    const QByteArray before = rig.SettingsFileBytes();
    form->mnuEnabled_Click();
    EXPECT_FALSE(form->Timer1().Enabled());
    EXPECT_FALSE(form->mnuMain().action(MenuEntry::Enabled).isChecked());
    form->mnuSwapLR_Click();
    EXPECT_TRUE(form->tray().SwapLR);
    form->mnuEnabled_Click();
    EXPECT_TRUE(form->Timer1().Enabled());
    EXPECT_EQ(rig.SettingsFileBytes(), before);
}

TEST_F(AppMenu, SwapIsGreyedAfterSnes9xAndCustomAndKeysComeBackWithVgs) {
    QAction& swap = form->mnuMain().action(MenuEntry::SwapLR);
    KeyMap& pad2 = form->engine().tables.keyMap[1];
    EXPECT_TRUE(swap.isEnabled());
    form->mnuSwapLR_Click();
    EXPECT_EQ(std::tuple(pad2.L, pad2.R, pad2.X, pad2.Y), std::tuple('2', '0', '1', '9'));

    form->mnuSNES9X_Click();
    EXPECT_FALSE(swap.isEnabled());
    EXPECT_TRUE(swap.isChecked()) << "the mark stays, without effect";
    EXPECT_EQ(std::tuple(pad2.L, pad2.R), std::tuple('A', 'Z'));
    EXPECT_EQ(rig.Setting("Last"), "1");

    form->mnuCustom_Click();
    EXPECT_FALSE(swap.isEnabled());
    EXPECT_EQ(rig.Setting("Last"), "3");

    form->mnuVGS_Click();
    EXPECT_TRUE(swap.isEnabled());
    EXPECT_EQ(std::tuple(pad2.L, pad2.R, pad2.X, pad2.Y), std::tuple('2', '0', '1', '9'));
    EXPECT_EQ(rig.Setting("Last"), "2");
}

TEST_F(AppMenu, ExactlyOneLayoutIsChecked) {
    const std::pair<void (formPadrix::*)(), MenuEntry> layouts[] = {
        {&formPadrix::mnuSNES9X_Click, MenuEntry::SNES9X},
        {&formPadrix::mnuCustom_Click, MenuEntry::Custom},
        {&formPadrix::mnuVGS_Click, MenuEntry::VGS},
    };
    for (const auto& [click, chosen] : layouts) {
        std::invoke(click, *form);
        for (const auto& [unused, entry] : layouts) {
            EXPECT_EQ(form->mnuMain().action(entry).isChecked(), entry == chosen);
        }
    }
}

TEST_F(AppMenu, CustomLoadsEveryJoypadFromItsSection) {
    rig.settings->SaveSetting("Custom", "3", "75");     // A of joypad 1
    rig.settings->SaveSetting("Custom2", "3", "300");   // not a key code: A stays
    rig.settings->SaveSetting("Custom2", "24", "123");  // Extra11
    form->engine().tables.keyMap[1].A = 'Q';
    form->mnuCustom_Click();
    const auto& maps = form->engine().tables.keyMap;
    EXPECT_EQ(maps[0].A, 75);
    EXPECT_EQ(maps[1].A, 'Q');
    EXPECT_EQ(maps[1].Extra[10], 123);
    EXPECT_EQ(maps[0].Extra[10], 122) << "absent keys take the defaults";
    EXPECT_EQ(maps[0].EscapeKey, vk::Escape);
}

TEST_F(AppMenu, AutoFireSetsTheActiveStateAndScrollLock) {
    Options& o = form->engine().options;
    ASSERT_TRUE(o.AllowAutoFire);
    EXPECT_FALSE(o.AutoFireActive) << "auto-fire starts off even when allowed";
    o.AutoFireActive = true;
    rig.output.table[vk::ScrollLock] = 1;
    rig.output.table['A'] = 0x81;

    form->mnuAutoFire_Click();
    EXPECT_FALSE(o.AllowAutoFire);
    EXPECT_FALSE(o.AutoFireActive);
    EXPECT_EQ(rig.output.table[vk::ScrollLock], 0);
    EXPECT_EQ(rig.output.table['A'], 0x81) << "only the Scroll Lock byte changes";

    form->mnuAutoFire_Click();
    EXPECT_TRUE(o.AutoFireActive);
    EXPECT_EQ(rig.output.table[vk::ScrollLock], 1);
}

TEST_F(AppMenu, DisablingLeavesHeldKeysDownUntilEnabledAndReleased) {
    rig.controllers.pads[0]->state.buttons[0] = 0x80;
    form->engine().PollCycle();
    EXPECT_EQ(rig.output.Take(), (std::vector{fakes::OutEvent::Down('J')}));
    form->mnuEnabled_Click();
    rig.controllers.pads[0]->state.buttons[0] = 0;
    EXPECT_FALSE(form->Timer1().Enabled());
    form->mnuEnabled_Click();
    form->engine().PollCycle();
    EXPECT_EQ(rig.output.Take(), (std::vector{fakes::OutEvent::Up('J')}));
}

TEST_F(AppMenu, ConfigureIsGreyedUntilTheDialogIsThere) {
    QAction& config = form->mnuMain().action(MenuEntry::Config);
    EXPECT_FALSE(config.isEnabled());
    int shown = 0;
    form->SetJoyConfigHandler([&shown] { ++shown; });
    EXPECT_TRUE(config.isEnabled());
    config.trigger();
    EXPECT_EQ(shown, 1);
}

TEST_F(AppMenu, MenuHasEveryEntryInOrderWithSeparators) {
    QStringList captions;
    for (QAction* a : form->mnuMain().menu().actions()) {
        captions << (a->isSeparator() ? QStringLiteral("-") : a->text());
    }
    EXPECT_EQ(captions.join('|').toStdString(),
              "Enabled|-|Configure Joypad...|Force Feedback...|-|Use M button as Select|"
              "Allow Auto-Fire|Start Padrix with VGS|Logitech Wingman Patch|-|"
              "Auto-detect profile|Swap L1/R1 with L2/R2 Buttons|Using MS-DOS based Application|"
              "Continuous Polling|-|SNES9X|Virtual Game Station|Custom|-|"
              "About Padrix 1.10 for DirectX8...|-|E&xit");
}

TEST_F(AppMenu, ForceFeedbackIsOneDialogThatStoresTheChoice) {
    form->mnuRumble_Click();
    formForceFeedback* dialog = form->forceFeedback();
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_TRUE(dialog->optForceFeedback(kRumbleRandom).isChecked()) << "the default mode";
    EXPECT_EQ(rig.Setting("RumbleType"), "2");
    form->mnuRumble_Click();
    EXPECT_EQ(form->forceFeedback(), dialog);

    dialog->optForceFeedback(kRumbleStressed).click();
    EXPECT_EQ(form->engine().options.RumbleType, kRumbleStressed);
    dialog->btnOK().click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(form->forceFeedback(), nullptr);

    rig.ReopenSettings();
    formPadrix& again = rig.Start();
    EXPECT_EQ(again.engine().options.RumbleType, kRumbleStressed);
    again.mnuRumble_Click();
    EXPECT_TRUE(again.forceFeedback()->optForceFeedback(kRumbleStressed).isChecked());
}

}  // namespace
}  // namespace padrix
