#include <QCoreApplication>
#include <QEvent>
#include <algorithm>

#include "dialogs/ConfigDialog.h"
#include "session/Session.h"
#include "settings/LanguageForms.h"
#include "settings/TrimSpaces.h"

namespace padrix {

void ConfigDialog::load() {
    FillLanguageList();
    ApplyLanguage();
    captureCancelled_ = false;

    profileBox_->clear();
    profileBox_->addItem(
        QString::fromUtf8(Session::kCustomProfileName.data(), Session::kCustomProfileName.size()));
    for (const std::string& name : session_.ProfileNames()) {
        profileBox_->addItem(QString::fromStdString(name));
    }
    profileBox_->setCurrentIndex(0);
    onProfileChosen();
    if (const auto gravis = session_.Gravis(profileBox_->currentText().toStdString())) {
        gravisToggle().setChecked(*gravis);
    }
    onGravisToggled();

    StartInputSystem();
    ListJoypads();
    joypadRow_->setVisible(joypadList_->count() > 1);
    if (joypadList_->count() > 0) {
        joypadList_->setCurrentIndex(0);
        onJoypadChosen();
    }
    watcher_ = PadWatcher(session_.options().LogitechPatch);
    padWatchTimer_.start();
}

void ConfigDialog::StartInputSystem() {
    controllers_ = ports_.makeControllers ? ports_.makeControllers() : nullptr;
    if (controllers_ == nullptr) {
        ShowInputStartError(inputErrorMessage_, {});
    } else if (!controllers_->Start()) {
        const std::string reason = controllers_->StartError();
        controllers_.reset();
        ShowInputStartError(inputErrorMessage_, reason);
    }
}

void ConfigDialog::ListJoypads() {
    joypadList_->clear();
    const int count = std::clamp(session_.JoypadCount(), 0, kMaxJoypads);
    for (int n = 1; n <= count; ++n) {
        joypadList_->addItem(QString::number(n) + QStringLiteral(":") +
                             QString::fromStdString(session_.JoypadName(n)));
    }
}

void ConfigDialog::onJoypadChosen() {
    if (pad_ != nullptr) {
        session_.Commit(edit_);
        pad_.reset();
    }
    const int joy = joypadList_->currentIndex() + 1;
    OpenDialogJoypad(joy);
    session_.BeginEdit(joy, edit_);
    ShowTagNames();
    if (const auto enabled = session_.JoypadEnabled(joy)) {
        joypadEnabledBox_->setChecked(*enabled);
    }
}

void ConfigDialog::OpenDialogJoypad(int joy) {
    if (controllers_ != nullptr) {
        pad_ = controllers_->OpenJoypad(joy, false);
    }
    if (pad_ != nullptr) {
        pad_->SetDeadZone(session_.DeadZone(joy));
        maxButton_ = std::clamp(pad_->ButtonCount(), 0, kJoyStateButtons) - 1;
    }
}

void ConfigDialog::onJoypadEnabledToggled() {
    session_.SetJoypadEnabled(edit_.Joypad(), joypadEnabledBox_->isChecked());
}

void ConfigDialog::onProfileChosen() {
    const std::string section = profileBox_->currentText().toStdString();
    if (profileBox_->currentIndex() >= 0 && !section.empty()) {
        session_.ReadProfile(section, edit_);
        ShowTagNames();
    }
    if (const auto gravis = session_.Gravis(section)) {
        gravisToggle().setChecked(*gravis);
    }
}

void ConfigDialog::onGravisToggled() {
    canvas_->ShowLayout(gravisToggle().isChecked());
}

void ConfigDialog::onSaveClicked() {
    session_.Commit(edit_);
    session_.SaveProfile(ListedProfiles(), profileBox_->currentText().toStdString(), edit_);
    close();
}

void ConfigDialog::onGameControllersClicked() {
    if (gameControllers_ == nullptr && ports_.makeGameControllers) {
        gameControllers_ = ports_.makeGameControllers(this);
    }
    if (gameControllers_ != nullptr) {
        gameControllers_->show();
        gameControllers_->raise();
        gameControllers_->activateWindow();
    }
}

void ConfigDialog::unload() {
    if (unloaded_) {
        return;
    }
    unloaded_ = true;
    padWatchTimer_.stop();
    cancelCapture();
    session_.FinishEditing();
    captureBusy_ = false;
    lastKeyCode_ = -1;
    const std::string section = SectionOfProfileBox().toStdString();
    if (!section.empty()) {
        session_.SaveGravis(section, gravisToggle().isChecked());
    }
    if (gameControllers_ != nullptr) {
        gameControllers_->close();
    }
    pad_.reset();
}

std::vector<std::string> ConfigDialog::ListedProfiles() const {
    std::vector<std::string> listed;
    for (int i = 0; i < profileBox_->count(); ++i) {
        listed.push_back(profileBox_->itemText(i).toStdString());
    }
    return listed;
}

// The profile box's text without the spaces around it: the section that Save
// writes the map to, and so the one the layout flag belongs with.
QString ConfigDialog::SectionOfProfileBox() const {
    return QString::fromStdString(
        std::string(TrimSpaces(profileBox_->currentText().toStdString())));
}

// Shows the language the forms speak; only the user's own pick stores one.
void ConfigDialog::FillLanguageList() {
    languageList_->setEnabled(false);
    languageList_->clear();
    languages_ = session_.LanguageFiles();
    for (const LanguageFileEntry& entry : languages_) {
        languageList_->addItem(QString::fromStdString(entry.name));
    }
    if (languages_.empty()) {
        return;
    }
    const auto shown = FindStoredLanguage(languages_, session_.LanguagePath());
    languageList_->setCurrentIndex(shown ? static_cast<int>(*shown) : -1);
    languageList_->setVisible(true);
    languageList_->setEnabled(true);
}

void ConfigDialog::onLanguageChosen() {
    const int index = languageList_->currentIndex();
    if (!languageList_->isEnabled() || index < 0 ||
        static_cast<std::size_t>(index) >= languages_.size()) {
        return;
    }
    if (session_.ChooseLanguage(languages_[static_cast<std::size_t>(index)].path)) {
        ApplyLanguage();
    }
}

void ConfigDialog::ApplyLanguage() {
    promptTexts_.Load(session_.LanguagePath());
    ApplyLanguageFile(session_.LanguagePath(), kConfigDialogTexts,
                      [this](int id, const std::string& text) {
                          SetLanguageText(id, QString::fromStdString(text));
                      });
    if (gameControllers_ != nullptr) {
        QEvent change(QEvent::LanguageChange);
        QCoreApplication::sendEvent(gameControllers_, &change);
    }
}

void ConfigDialog::SetLanguageText(int id, const QString& text) {
    switch (id) {
        case 1:
            joypadEnabledBox_->setText(text);
            break;
        case 17:
            inputErrorMessage_ = text;
            break;
        case 19:
            setWindowTitle(text);
            break;
        case 20:
            instructionLabel_->setText(text);
            break;
        case 21:
            pressKeyMessage_ = text;
            break;
        case 22:
            saveButton_->setText(text);
            break;
        case 23:
            gameControllersButton_->setText(text);
            break;
        default:
            break;
    }
}

}  // namespace padrix
