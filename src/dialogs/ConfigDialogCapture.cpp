#include <QEventLoop>
#include <QKeyEvent>

#include "dialogs/AutoConfigSteps.h"
#include "dialogs/ConfigDialog.h"
#include "dialogs/KeyEventCode.h"
#include "dialogs/KeyName.h"
#include "session/Session.h"
#include "settings/SettingValues.h"

namespace padrix {
namespace {

const QString kGreen = QStringLiteral("background-color: rgb(0, 255, 0);");
const QString kRed = QStringLiteral("color: rgb(255, 0, 0);");

}  // namespace

class ConfigDialog::HandlerScope {
  public:
    explicit HandlerScope(ConfigDialog& dialog) : dialog_(dialog) { ++dialog_.handlerDepth_; }
    ~HandlerScope() {
        if (--dialog_.handlerDepth_ == 0 && dialog_.unloaded_) {
            dialog_.deleteLater();  // closed while this handler waited
        }
    }
    HandlerScope(const HandlerScope&) = delete;
    HandlerScope& operator=(const HandlerScope&) = delete;

  private:
    ConfigDialog& dialog_;
};

void ConfigDialog::onPadButtonClicked(int index) {
    if (captureBusy_ || unloaded_) {
        return;
    }
    HandlerScope scope(*this);
    // A cancelled auto configuration must not end this capture at once.
    captureCancelled_ = false;
    RunCapture(index);
}

void ConfigDialog::onPadWatchTick() {
    if (pad_ != nullptr) {
        pad_->Read(padState_);  // a failed read keeps the last state
    }
    if (const int index = watcher_.Next(padState_, maxButton_); index != PadWatcher::kNone) {
        onPadButtonClicked(index);
    }
}

void ConfigDialog::onAutoConfigClicked() {
    if (captureBusy_ || unloaded_) {
        return;
    }
    HandlerScope scope(*this);
    captureCancelled_ = false;
    if (autoConfig_ == nullptr) {
        autoConfig_ = new AutoConfigPrompt(
            this, [this](const QKeyEvent& event) { AutoConfigKeyDown(event); },
            [this] { cancelCapture(); });
    }
    autoConfig_->ApplyLanguage(session_.LanguagePath());
    autoConfig_->show();
    autoConfig_->PlaceOnOwner();
    autoConfig_->raise();
    autoConfig_->activateWindow();
    const int steps = AutoConfigStepCount(maxButton_ + 1);
    for (int step = 0; step < steps; ++step) {
        autoConfig_->ShowStep(step);
        RunCapture(AutoConfigIndex(step));
        if (!autoConfig_->isVisible() || captureCancelled_) {
            break;
        }
    }
    autoConfig_->CloseByProgram();
}

void ConfigDialog::AutoConfigKeyDown(const QKeyEvent& event) {
    const int keyCode = VirtualKeyOf(event, CurrentKeyLayout());
    onKeyDown(keyCode);
    if (keyCode == 27) {
        cancelCapture();
    }
}

QString ConfigDialog::CaptureName(int index) const {
    for (int step = 0; step < kAutoConfigDirections; ++step) {
        if (AutoConfigIndex(step) == index) {
            return AutoConfigStepName(promptTexts_, step);
        }
    }
    return PromptName(index);
}

void ConfigDialog::RunCapture(int index) {
    if (captureBusy_ || index < 0 || index >= kPadButtons) {
        return;
    }
    captureBusy_ = true;
    SetControlsEnabled(false);
    const QString instruction = instructionLabel_->text();
    padButton(index).setStyleSheet(kGreen);
    SetPadButtonsEnabled(false);
    lastKeyCode_ = 0;
    instructionLabel_->setText(pressKeyMessage_ + QStringLiteral(" ") + CaptureName(index));
    instructionLabel_->setStyleSheet(kRed);

    // Sleeps until a key-down or a cancel ends the wait; everything else the
    // event loop delivers meanwhile (clicks, timers, closing) runs inside it.
    if (lastKeyCode_ == 0 && !captureCancelled_) {
        QEventLoop wait;
        captureWait_ = &wait;
        wait.exec();
        captureWait_ = nullptr;
    }

    SetPadButtonsEnabled(true);
    padButton(index).setStyleSheet(QString());
    SetControlsEnabled(true);
    if (lastKeyCode_ > 0 && !captureCancelled_) {
        edit_.Assign(index, lastKeyCode_);
    }
    ShowTagName(index);
    instructionLabel_->setText(instruction);
    instructionLabel_->setStyleSheet(QString());
    captureBusy_ = false;
}

void ConfigDialog::onKeyDown(int keyCode) {
    if (keyCode == 0) {
        return;  // a key the program has no code for
    }
    lastKeyCode_ = keyCode;
    if (captureWait_ != nullptr) {
        captureWait_->quit();
    }
}

void ConfigDialog::cancelCapture() {
    captureCancelled_ = true;
    if (captureWait_ != nullptr) {
        captureWait_->quit();
    }
}

void ConfigDialog::SetControlsEnabled(bool enabled) {
    QWidget* const locked[] = {
        saveButton_,   profileBox_,         joypadList_,      gameControllersButton_,
        languageList_, &autoConfigButton(), joypadEnabledBox_};
    for (QWidget* control : locked) {
        control->setEnabled(enabled);
    }
}

void ConfigDialog::SetPadButtonsEnabled(bool enabled) {
    for (int i = 0; i < kPadButtons; ++i) {
        padButton(i).setEnabled(enabled);
    }
}

const keycodes::KeyLayout& ConfigDialog::CurrentKeyLayout() const {
    static const keycodes::KeyLayout kUs;
    return ports_.keyboardLayout != nullptr ? ports_.keyboardLayout->Current() : kUs;
}

void ConfigDialog::ShowTagNames() {
    for (int i = 0; i < kPadButtons; ++i) {
        ShowTagName(i);
    }
}

void ConfigDialog::ShowTagName(int index) {
    const auto code = ToKeyCode(edit_.Tag(index));
    const QString name =
        code ? QString::fromStdString(KeyName(*code, CurrentKeyLayout())) : QString();
    canvas_->ShowKeyName(index, name);
}

}  // namespace padrix
