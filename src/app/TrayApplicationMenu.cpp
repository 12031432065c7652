#include <QDesktopServices>
#include <QUrl>

#include "AppTexts.h"
#include "TrayApplication.h"
#include "dialogs/PlainMessageBox.h"

namespace padrix {

void TrayApplication::Choose(MenuEntry entry) {
    session_.ToggleOption(entry);
    switch (entry) {
        case MenuEntry::Enabled:
            session_.ToggleMapping();
            break;
        case MenuEntry::Config:
            ShowConfig();
            break;
        case MenuEntry::Rumble:
            ShowForceFeedback();
            break;
        case MenuEntry::SNES9X:
            session_.ChooseLayout(Layout::Snes9x);
            break;
        case MenuEntry::VGS:
            session_.ChooseLayout(Layout::Vgs);
            break;
        case MenuEntry::Custom:
            session_.ChooseLayout(Layout::Custom);
            break;
        case MenuEntry::About:
            ShowAbout();
            break;
        case MenuEntry::StartWithDesktop:
            ToggleStartWithDesktop();
            break;
        case MenuEntry::Exit:
            Unload();
            break;
        default:
            break;
    }
    // A checkable action flips its own mark when chosen; the session decides.
    RefreshMenu();
}

void TrayApplication::RefreshMenu() {
    const Options& o = session_.options();
    const MenuOptions& m = session_.menu();
    const std::pair<MenuEntry, bool> marks[] = {
        {MenuEntry::Enabled, m.enabled},
        {MenuEntry::Select, o.UseMAsSelect},
        {MenuEntry::AutoFire, o.AllowAutoFire},
        {MenuEntry::Startup, m.startWithVgs},
        {MenuEntry::StartWithDesktop, autostart_.StartsWithDesktop()},
        {MenuEntry::Logitech, o.LogitechPatch},
        {MenuEntry::AutodetectProfile, m.autodetectProfile},
        {MenuEntry::FollowWindow, m.followWindow},
        {MenuEntry::SwapLR, m.swapLR},
        {MenuEntry::DOSApplication, o.DosMode},
        {MenuEntry::PollRate, o.MaxPollRate},
        {MenuEntry::SNES9X, m.layout == Layout::Snes9x},
        {MenuEntry::VGS, m.layout == Layout::Vgs},
        {MenuEntry::Custom, m.layout == Layout::Custom},
    };
    for (const auto& [entry, checked] : marks) {
        menu_.SetChecked(entry, checked);
    }
    menu_.SetEnabled(MenuEntry::SwapLR, m.layout == Layout::Vgs || !m.layout);
    menu_.SetEnabled(MenuEntry::Config, static_cast<bool>(showConfigDialog_));
}

void TrayApplication::ShowConfig() {
    if (showConfigDialog_) {
        showConfigDialog_();
    }
}

void TrayApplication::ShowForceFeedback() {
    if (!forceFeedback_) {
        forceFeedback_ = new ForceFeedbackDialog(session_);
        forceFeedback_->setAttribute(Qt::WA_DeleteOnClose);
        forceFeedback_->load();
    }
    forceFeedback_->show();
    forceFeedback_->raise();
    forceFeedback_->activateWindow();
}

void TrayApplication::ToggleStartWithDesktop() {
    const std::optional<std::string> failure =
        autostart_.StartsWithDesktop() ? autostart_.Remove()
                                       : autostart_.Write(paths_.program, paths_.settingsFile);
    if (failure) {
        ShowPlainMessage(
            QMessageBox::Warning, caption_,
            msgStartWithDesktopFailed_ + QStringLiteral("\n") + QString::fromStdString(*failure));
    }
}

void TrayApplication::ShowAbout() {
    const QString text = kAboutCredit + QStringLiteral("\n") + kAboutVersion +
                         QStringLiteral("\n") + paths_.readme + QStringLiteral("\n") +
                         paths_.docFolder;
    ShowPlainMessage(QMessageBox::Information, caption_, text);
    if (unloaded_) {
        return;  // told to exit while the box was up
    }
    QDesktopServices::openUrl(QUrl::fromLocalFile(paths_.readme));
}

}  // namespace padrix
