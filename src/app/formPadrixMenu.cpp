#include <QDesktopServices>
#include <QUrl>

#include "AppTexts.h"
#include "dialogs/PlainMessageBox.h"
#include "dialogs/formForceFeedback.h"
#include "formPadrix.h"
#include "settings/OptionKeys.h"
#include "settings/TypedSettings.h"

namespace padrix {

void formPadrix::OnMenuChosen(MenuEntry entry) {
    using Handler = void (formPadrix::*)();
    static constexpr std::array<Handler, kMenuEntryCount> kHandlers{
        &formPadrix::mnuEnabled_Click,  &formPadrix::mnuConfig_Click,
        &formPadrix::mnuRumble_Click,   &formPadrix::mnuSelect_Click,
        &formPadrix::mnuAutoFire_Click, &formPadrix::mnuStartup_Click,
        &formPadrix::mnuLogitech_Click, &formPadrix::mnuAutodetectProfile_Click,
        &formPadrix::mnuSwapLR_Click,   &formPadrix::mnuDOSApplication_Click,
        &formPadrix::mnuPollRate_Click, &formPadrix::mnuSNES9X_Click,
        &formPadrix::mnuVGS_Click,      &formPadrix::mnuCustom_Click,
        &formPadrix::mnuAbout_Click,    &formPadrix::mnuExit_Click,
    };
    (this->*kHandlers[static_cast<std::size_t>(Index(entry))])();
    // A checkable action flips its own mark when chosen; the options decide.
    RefreshMenu();
}

void formPadrix::RefreshMenu() {
    const Options& o = engine_.options;
    const std::pair<MenuEntry, bool> marks[] = {
        {MenuEntry::Enabled, tray_.Enabled},
        {MenuEntry::Select, o.UseMAsSelect},
        {MenuEntry::AutoFire, o.AllowAutoFire},
        {MenuEntry::Startup, tray_.StartWithVgs},
        {MenuEntry::Logitech, o.LogitechPatch},
        {MenuEntry::AutodetectProfile, tray_.AutodetectProfile},
        {MenuEntry::SwapLR, tray_.SwapLR},
        {MenuEntry::DOSApplication, o.DosMode},
        {MenuEntry::PollRate, o.MaxPollRate},
        {MenuEntry::SNES9X, tray_.layout == Layout::Snes9x},
        {MenuEntry::VGS, tray_.layout == Layout::Vgs},
        {MenuEntry::Custom, tray_.layout == Layout::Custom},
    };
    for (const auto& [entry, checked] : marks) {
        menu_.SetChecked(entry, checked);
    }
    menu_.SetEnabled(MenuEntry::SwapLR, tray_.layout == Layout::Vgs || !tray_.layout);
    menu_.SetEnabled(MenuEntry::Config, static_cast<bool>(showJoyConfig_));
}

void formPadrix::Toggle(bool& option, std::string_view key) {
    option = !option;
    SaveBoolean(ports_.settings, kOptionSection, key, option);
    RefreshMenu();
}

void formPadrix::mnuEnabled_Click() {
    tray_.Enabled = !tray_.Enabled;
    timer_.SetEnabled(tray_.Enabled);
    // Paused, nothing would ever let go of a held key, and the X server
    // repeats a key held through XTest into whatever has the focus. A button
    // still held when mapping resumes presses its key again.
    if (!tray_.Enabled) {
        engine_.ReleaseAll();
    }
    RefreshMenu();
}

void formPadrix::mnuConfig_Click() {
    if (showJoyConfig_) {
        showJoyConfig_();
    }
}

void formPadrix::mnuRumble_Click() {
    if (!forceFeedback_) {
        forceFeedback_ =
            new formForceFeedback(engine_.options.RumbleType, ports_.settings, ports_.language);
        forceFeedback_->setAttribute(Qt::WA_DeleteOnClose);
        forceFeedback_->Form_Load();
    }
    forceFeedback_->show();
    forceFeedback_->raise();
    forceFeedback_->activateWindow();
}

void formPadrix::mnuSelect_Click() {
    Toggle(engine_.options.UseMAsSelect, kKeySelect);
}

void formPadrix::mnuAutoFire_Click() {
    Options& o = engine_.options;
    Toggle(o.AllowAutoFire, kKeyAutoFire);
    o.AutoFireActive = o.AllowAutoFire;
    engine_.output().SetScrollLockState(o.AutoFireActive);
}

void formPadrix::mnuStartup_Click() {
    Toggle(tray_.StartWithVgs, kKeyVGSStartUp);
}

void formPadrix::mnuLogitech_Click() {
    Toggle(engine_.options.LogitechPatch, kKeyLogitech);
}

void formPadrix::mnuAutodetectProfile_Click() {
    Toggle(tray_.AutodetectProfile, kKeyAutodetect);
}

void formPadrix::mnuSwapLR_Click() {
    tray_.SwapLR = !tray_.SwapLR;
    ApplySwapLR();
    RefreshMenu();
}

void formPadrix::mnuDOSApplication_Click() {
    Toggle(engine_.options.DosMode, kKeyDOS);
}

void formPadrix::mnuPollRate_Click() {
    Toggle(engine_.options.MaxPollRate, kKeyMaxPollRate);
}

void formPadrix::mnuAbout_Click() {
    const QString text = kAboutCredit + QStringLiteral("\n") + kAboutVersion +
                         QStringLiteral("\n") + paths_.readme + QStringLiteral("\n") +
                         paths_.docFolder;
    ShowPlainMessage(QMessageBox::Information, caption_, text);
    if (unloaded_) {
        return;  // told to exit while the box was up
    }
    QDesktopServices::openUrl(QUrl::fromLocalFile(paths_.readme));
}

void formPadrix::mnuExit_Click() {
    Form_Unload();
}

}  // namespace padrix
