#include <algorithm>

#include "dialogs/formJoyConfig.h"
#include "settings/LanguageForms.h"
#include "settings/OptionKeys.h"
#include "settings/ProfileNames.h"
#include "settings/TrimSpaces.h"

namespace padrix {

void formJoyConfig::Form_Load() {
    FillLanguageList();
    ApplyLanguage();
    CaptureCancelled = false;
    DialogLogitechPatch = ports_.host.LogitechPatch();

    cmbName_->clear();
    cmbName_->addItem(QString::fromUtf8(kCustomProfile.data(), kCustomProfile.size()));
    for (const std::string& name : ListProfileNames(ports_.settings)) {
        cmbName_->addItem(QString::fromStdString(name));
    }
    cmbName_->setCurrentIndex(0);
    cmbName_Click();
    if (const auto gravis = ReadGravis(ports_.settings, cmbName_->currentText().toStdString())) {
        chkGravis().setChecked(*gravis);
    }
    chkGravis_Click();

    StartInputSystem();
    ListJoypads();
    joypadRow_->setVisible(cmbJoyPad_->count() > 1);
    if (cmbJoyPad_->count() > 0) {
        cmbJoyPad_->setCurrentIndex(0);
        cmbJoyPad_Click();
    }
    watcher_ = PadWatcher(DialogLogitechPatch);
    timer1_.start();
}

void formJoyConfig::StartInputSystem() {
    controllers_ = ports_.makeControllers ? ports_.makeControllers() : nullptr;
    if (controllers_ == nullptr) {
        ShowInputStartError(MsgDirectInputError, {});
    } else if (!controllers_->StartDirectInput()) {
        const std::string reason = controllers_->StartError();
        controllers_.reset();
        ShowInputStartError(MsgDirectInputError, reason);
    }
}

void formJoyConfig::ListJoypads() {
    cmbJoyPad_->clear();
    const int count = std::clamp(ports_.host.JoypadCount(), 0, kMaxJoypads);
    for (int n = 1; n <= count; ++n) {
        cmbJoyPad_->addItem(QString::number(n) + QStringLiteral(":") +
                            QString::fromStdString(ports_.host.GetJoypadName(n)));
    }
}

void formJoyConfig::cmbJoyPad_Click() {
    if (DialogDevice != nullptr) {
        ports_.host.SetConfigValues(CurrentJoypad, tags_);
        DialogDevice.reset();
    }
    CurrentJoypad = cmbJoyPad_->currentIndex() + 1;
    OpenDialogJoypad();
    ports_.host.GetConfigValues(CurrentJoypad, tags_);
    ShowTagNames();
    const std::string enabled = ports_.host.JoypadsEnabled();
    if (CurrentJoypad >= 1 && static_cast<std::size_t>(CurrentJoypad) <= enabled.size()) {
        chkJoyEnabled_->setChecked(enabled[static_cast<std::size_t>(CurrentJoypad - 1)] == '1');
    }
}

void formJoyConfig::OpenDialogJoypad() {
    if (controllers_ != nullptr) {
        DialogDevice = controllers_->OpenJoypad(CurrentJoypad, false);
    }
    if (DialogDevice != nullptr) {
        DialogDevice->SetDeadZone(ports_.host.DeadZone(CurrentJoypad));
        DialogMaxButton = std::clamp(DialogDevice->ButtonCount(), 0, kJoyStateButtons) - 1;
    }
}

void formJoyConfig::chkJoyEnabled_Click() {
    ports_.host.SetJoypadEnabled(CurrentJoypad, chkJoyEnabled_->isChecked());
}

void formJoyConfig::cmbName_Click() {
    const std::string section = cmbName_->currentText().toStdString();
    if (cmbName_->currentIndex() >= 0 && !section.empty()) {
        ReadProfileTags(ports_.settings, section, tags_);
        ShowTagNames();
    }
    if (const auto gravis = ReadGravis(ports_.settings, section)) {
        chkGravis().setChecked(*gravis);
    }
}

void formJoyConfig::chkGravis_Click() {
    canvas_->ShowLayout(chkGravis().isChecked());
}

void formJoyConfig::btnSave_Click() {
    ports_.host.SetConfigValues(cmbJoyPad_->currentIndex() + 1, tags_);
    SaveNamedProfile(ports_.settings, ListedProfiles(), cmbName_->currentText().toStdString(),
                     tags_);
    close();
}

void formJoyConfig::btnConfig_Click() {
    if (gameControllers_ == nullptr && ports_.makeGameControllers) {
        gameControllers_ = ports_.makeGameControllers(this);
    }
    if (gameControllers_ != nullptr) {
        gameControllers_->show();
        gameControllers_->raise();
        gameControllers_->activateWindow();
    }
}

void formJoyConfig::Form_Unload() {
    if (unloaded_) {
        return;
    }
    unloaded_ = true;
    timer1_.stop();
    CancelCapture();
    ports_.host.JoyConfigClosed();
    CaptureBusy = false;
    LastKeyCode = -1;
    const std::string section = SectionOfProfileBox().toStdString();
    if (!section.empty()) {
        SaveGravis(ports_.settings, section, chkGravis().isChecked());
    }
    if (gameControllers_ != nullptr) {
        gameControllers_->close();
    }
    DialogDevice.reset();
}

std::vector<std::string> formJoyConfig::ListedProfiles() const {
    std::vector<std::string> listed;
    for (int i = 0; i < cmbName_->count(); ++i) {
        listed.push_back(cmbName_->itemText(i).toStdString());
    }
    return listed;
}

// The profile box's text without the spaces around it: the section that Save
// writes the map to, and so the one the layout flag belongs with.
QString formJoyConfig::SectionOfProfileBox() const {
    return QString::fromStdString(std::string(TrimSpaces(cmbName_->currentText().toStdString())));
}

// Shows the language the forms speak; only the user's own pick stores one.
void formJoyConfig::FillLanguageList() {
    cmbLanguage_->setEnabled(false);
    cmbLanguage_->clear();
    languages_ = ports_.language.Files();
    for (const LanguageFileEntry& entry : languages_) {
        cmbLanguage_->addItem(QString::fromStdString(entry.name));
    }
    if (languages_.empty()) {
        return;
    }
    const auto shown = FindStoredLanguage(languages_, ports_.language.Path());
    cmbLanguage_->setCurrentIndex(shown ? static_cast<int>(*shown) : -1);
    cmbLanguage_->setVisible(true);
    cmbLanguage_->setEnabled(true);
}

void formJoyConfig::cmbLanguage_Click() {
    const int index = cmbLanguage_->currentIndex();
    if (!cmbLanguage_->isEnabled() || index < 0 ||
        static_cast<std::size_t>(index) >= languages_.size()) {
        return;
    }
    if (ports_.language.Choose(languages_[static_cast<std::size_t>(index)].path)) {
        ApplyLanguage();
        ports_.host.InitLanguage();
    }
}

void formJoyConfig::ApplyLanguage() {
    ApplyLanguageFile(ports_.language.Path(), kJoyConfigTexts,
                      [this](int id, const std::string& text) {
                          SetLanguageText(id, QString::fromStdString(text));
                      });
}

void formJoyConfig::SetLanguageText(int id, const QString& text) {
    switch (id) {
        case 1:
            chkJoyEnabled_->setText(text);
            break;
        case 17:
            MsgDirectInputError = text;
            break;
        case 18:
            MsgNoJoystick = text;
            break;
        case 19:
            setWindowTitle(text);
            break;
        case 20:
            label1_->setText(text);
            break;
        case 21:
            MsgPressKey = text;
            break;
        case 22:
            btnSave_->setText(text);
            break;
        case 23:
            btnConfig_->setText(text);
            break;
        default:
            break;
    }
}

}  // namespace padrix
