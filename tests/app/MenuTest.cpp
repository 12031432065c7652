#include <QCoreApplication>
#include <QDesktopServices>
#include <QMessageBox>
#include <QTextBrowser>

#include "AppRig.h"
#include "app/TrayMessage.h"
#include "common/Version.h"
#include "engine/VirtualKeys.h"

namespace padrix {
namespace {

using fakes::OutEvent;

class AppMenu : public ::testing::Test {
  protected:
    void SetUp() override {
        rig.controllers.Add("Pad One");
        rig.controllers.Add("Pad Two");
        form = &rig.Start();
    }
    QAction& Entry(MenuEntry e) { return form->menu().action(e); }

    testing::AppRig rig;
    TrayApplication* form = nullptr;
};

// What each option does and how it is stored is the session's; here each
// entry reaches its own option and its mark follows, at the next start too.
TEST_F(AppMenu, EveryToggleReachesItsOptionAndItsMarkFollows) {
    const std::pair<MenuEntry, const char*> toggles[] = {
        {MenuEntry::Select, "Select"},
        {MenuEntry::AutoFire, "AutoFire"},
        {MenuEntry::Startup, "VGSStartUp"},
        {MenuEntry::Logitech, "Logitech"},
        {MenuEntry::AutodetectProfile, "Autodetect"},
        {MenuEntry::DOSApplication, "DOS"},
        {MenuEntry::PollRate, "MaxPollRate"},
    };
    for (const auto& [entry, key] : toggles) {
        const bool before = Entry(entry).isChecked();
        Entry(entry).trigger();
        EXPECT_EQ(Entry(entry).isChecked(), !before) << key;
    }
    rig.ReopenSettings();
    form = &rig.Start();
    for (const auto& [entry, key] : toggles) {
        EXPECT_EQ(Entry(entry).isChecked(), rig.Setting(key) == "True") << key;
    }
}

TEST_F(AppMenu, EnabledAndSwapAreNeverSavedAndDisablingLetsGoOfHeldKeys) {
    const QByteArray before = rig.FileBytes(rig.settingsPath);
    rig.controllers.pads[0]->state.buttons[0] = 0x80;
    form->session().engine().PollCycle();
    EXPECT_EQ(rig.output.Take(), std::vector{OutEvent::Down('J')});
    Entry(MenuEntry::Enabled).trigger();
    EXPECT_FALSE(form->pollingTimer().Enabled());
    EXPECT_FALSE(Entry(MenuEntry::Enabled).isChecked());
    EXPECT_EQ(rig.output.Take(), std::vector{OutEvent::Up('J')}) << "no key stays down paused";
    Entry(MenuEntry::SwapLR).trigger();
    EXPECT_TRUE(form->session().menu().swapLR);
    Entry(MenuEntry::Enabled).trigger();
    EXPECT_TRUE(form->pollingTimer().Enabled());
    form->session().engine().PollCycle();
    EXPECT_EQ(rig.output.Take(), std::vector{OutEvent::Down('J')}) << "still held: pressed again";
    rig.controllers.pads[0]->state.buttons[0] = 0;
    form->session().engine().PollCycle();
    EXPECT_EQ(rig.output.Take(), std::vector{OutEvent::Up('J')});
    EXPECT_EQ(rig.FileBytes(rig.settingsPath), before);
}

TEST_F(AppMenu, SwapIsGreyedAfterSnes9xAndCustomAndItsKeysComeBackWithVgs) {
    const KeyMap& pad2 = form->session().engine().tables().keyMap[1];
    const auto shoulders = [&pad2] { return std::tuple(pad2.L, pad2.R, pad2.X, pad2.Y); };
    EXPECT_TRUE(Entry(MenuEntry::SwapLR).isEnabled());
    Entry(MenuEntry::SwapLR).trigger();
    EXPECT_EQ(shoulders(), std::tuple('2', '0', '1', '9'));
    const struct {
        MenuEntry layout;
        const char* last;
        bool swapEnabled;
    } steps[] = {{MenuEntry::SNES9X, "1", false},
                 {MenuEntry::Custom, "3", false},
                 {MenuEntry::VGS, "2", true}};
    for (const auto& s : steps) {
        Entry(s.layout).trigger();
        EXPECT_EQ(rig.Setting("Last"), s.last);
        EXPECT_EQ(Entry(MenuEntry::SwapLR).isEnabled(), s.swapEnabled) << s.last;
        EXPECT_TRUE(Entry(MenuEntry::SwapLR).isChecked()) << "the mark stays";
        for (MenuEntry e : {MenuEntry::SNES9X, MenuEntry::Custom, MenuEntry::VGS}) {
            EXPECT_EQ(Entry(e).isChecked(), e == s.layout) << s.last;
        }
    }
    EXPECT_EQ(shoulders(), std::tuple('2', '0', '1', '9'));
}

TEST_F(AppMenu, AllowAutoFireSetsTheActiveStateAndTheScrollLockLight) {
    const Options& o = form->session().options();
    ASSERT_TRUE(o.AllowAutoFire);
    EXPECT_FALSE(o.AutoFireActive) << "auto-fire starts off even when allowed";
    form->session().engine().SetOption(&Options::AutoFireActive, true);
    rig.output.scrollLock = true;
    for (bool allowed : {false, true}) {
        Entry(MenuEntry::AutoFire).trigger();
        EXPECT_EQ(o.AllowAutoFire, allowed);
        EXPECT_EQ(o.AutoFireActive, allowed);
        EXPECT_EQ(rig.output.scrollLock, allowed);
    }
}

TEST_F(AppMenu, ConfigureIsGreyedUntilTheDialogIsThere) {
    EXPECT_FALSE(Entry(MenuEntry::Config).isEnabled());
    int shown = 0;
    form->SetConfigDialogHandler([&shown] { ++shown; });
    ASSERT_TRUE(Entry(MenuEntry::Config).isEnabled());
    Entry(MenuEntry::Config).trigger();
    EXPECT_EQ(shown, 1);
}

// The box shows its texts as they are; the home page opens once it is closed,
// unless the program was told to exit while it was up.
TEST_F(AppMenu, AboutOpensTheHomePageAfterTheBoxUnlessTheProgramEnded) {
    for (const bool exitWhileUp : {false, true}) {
        QTextBrowser opener;  // takes the file the desktop would open
        QDesktopServices::setUrlHandler("file", &opener, "setSource");
        testing::OnNextModal([&](QWidget& w) {
            const auto& box = dynamic_cast<QMessageBox&>(w);
            EXPECT_EQ(box.textFormat(), Qt::PlainText);
            EXPECT_TRUE(box.text().contains(QStringLiteral("Version ") + kPadrixVersion));
            if (exitWhileUp) {
                form->Unload();
            }
        });
        Entry(MenuEntry::About).trigger();
        QDesktopServices::unsetUrlHandler("file");
        EXPECT_EQ(opener.source(),
                  exitWhileUp ? QUrl() : QUrl::fromLocalFile(rig.dir.filePath("README.md")));
    }
}

// The mark is the autostart file: the entry writes and removes it, the menu
// looks again each time it opens, an entry the desktop switched off counts as
// off and ticking writes one that starts Padrix, and a folder that cannot be
// written is reported in a box, the mark unchanged.
TEST_F(AppMenu, StartWithDesktopWritesTheAutostartFileAndShowsWhetherItIsThere) {
    QAction& entry = Entry(MenuEntry::StartWithDesktop);
    const QString file = QString::fromStdString(rig.autostartFile);
    const auto checkedOnOpening = [&] {
        bool checked = false;
        testing::OnNextPopup([&](QMenu& m) {
            checked = entry.isChecked();
            m.close();
        });
        form->OnIconMessage(kTrayRightUp);
        return checked;
    };
    EXPECT_FALSE(entry.isChecked());
    entry.trigger();
    EXPECT_TRUE(entry.isChecked());
    EXPECT_EQ(rig.FileBytes(rig.autostartFile).toStdString(), AutostartContents(rig.program));
    QFile::remove(file);
    EXPECT_FALSE(checkedOnOpening());
    rig.WriteFile(rig.autostartFile, "[Desktop Entry]\n");
    EXPECT_TRUE(checkedOnOpening());
    entry.trigger();
    EXPECT_FALSE(entry.isChecked());
    EXPECT_FALSE(QFile::exists(file));
    rig.WriteFile(rig.autostartFile, "[Desktop Entry]\nExec=padrix\nHidden=true\n");
    EXPECT_FALSE(checkedOnOpening());
    entry.trigger();
    EXPECT_TRUE(entry.isChecked());
    EXPECT_EQ(rig.FileBytes(rig.autostartFile).toStdString(), AutostartContents(rig.program));
    entry.trigger();
    EXPECT_FALSE(QFile::exists(file));

    QDir(QString::fromStdString(rig.configFolder)).rmdir(QStringLiteral("autostart"));
    rig.WriteFile(rig.configFolder + "/autostart", "not a folder");
    QString shown;
    testing::OnNextModal([&](QWidget& w) { shown = dynamic_cast<QMessageBox&>(w).text(); });
    entry.trigger();
    EXPECT_TRUE(shown.contains(file)) << shown.toStdString();
    EXPECT_FALSE(entry.isChecked());
}

TEST_F(AppMenu, ForceFeedbackIsOneDialogThatStoresTheChoice) {
    Entry(MenuEntry::Rumble).trigger();
    ForceFeedbackDialog* dialog = form->forceFeedback();
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_TRUE(dialog->modeButton(kRumbleRandom).isChecked()) << "the default mode";
    Entry(MenuEntry::Rumble).trigger();
    EXPECT_EQ(form->forceFeedback(), dialog);

    dialog->modeButton(kRumbleStressed).click();
    dialog->okButton().click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(form->forceFeedback(), nullptr);
    EXPECT_EQ(rig.Setting("RumbleType"), "3");
}

}  // namespace
}  // namespace padrix
