#include <QEventLoop>
#include <QKeyEvent>

#include "dialogs/AutoConfigSteps.h"
#include "dialogs/KeyEventCode.h"
#include "dialogs/KeyName.h"
#include "dialogs/formJoyConfig.h"
#include "settings/SettingValues.h"

namespace padrix {
namespace {

const QString kGreen = QStringLiteral("background-color: rgb(0, 255, 0);");
const QString kRed = QStringLiteral("color: rgb(255, 0, 0);");

}  // namespace

class formJoyConfig::HandlerScope {
  public:
    explicit HandlerScope(formJoyConfig& dialog) : dialog_(dialog) { ++dialog_.handlerDepth_; }
    ~HandlerScope() {
        if (--dialog_.handlerDepth_ == 0 && dialog_.unloaded_) {
            dialog_.deleteLater();  // closed while this handler waited
        }
    }
    HandlerScope(const HandlerScope&) = delete;
    HandlerScope& operator=(const HandlerScope&) = delete;

  private:
    formJoyConfig& dialog_;
};

void formJoyConfig::btnJoy_Click(int index) {
    if (CaptureBusy || unloaded_) {
        return;
    }
    HandlerScope scope(*this);
    // A cancelled auto configuration must not end this capture at once.
    CaptureCancelled = false;
    RunCapture(index);
}

void formJoyConfig::Timer1_Timer() {
    if (DialogDevice != nullptr) {
        DialogDevice->Read(DialogJoyState);  // a failed read keeps the last state
    }
    if (const int index = watcher_.Next(DialogJoyState, DialogMaxButton);
        index != PadWatcher::kNone) {
        btnJoy_Click(index);
    }
}

void formJoyConfig::btnAutoConfig_Click() {
    if (CaptureBusy || unloaded_) {
        return;
    }
    HandlerScope scope(*this);
    CaptureCancelled = false;
    if (autoConfig_ == nullptr) {
        autoConfig_ = new formAutoConfig(
            this, [this](const QKeyEvent& event) { AutoConfigKeyDown(event); },
            [this] { CancelCapture(); });
    }
    autoConfig_->show();
    autoConfig_->PlaceOnOwner();
    autoConfig_->raise();
    autoConfig_->activateWindow();
    const int steps = AutoConfigStepCount(DialogMaxButton + 1);
    for (int step = 0; step < steps; ++step) {
        autoConfig_->lblButton().setText(AutoConfigText(step));
        RunCapture(AutoConfigIndex(step));
        if (!autoConfig_->isVisible() || CaptureCancelled) {
            break;
        }
    }
    autoConfig_->CloseByProgram();
}

void formJoyConfig::AutoConfigKeyDown(const QKeyEvent& event) {
    const int keyCode = VirtualKeyOf(event, CurrentKeyLayout());
    Form_KeyDown(keyCode);
    if (keyCode == 27) {
        CancelCapture();
    }
}

void formJoyConfig::RunCapture(int index) {
    if (CaptureBusy || index < 0 || index >= kPadButtons) {
        return;
    }
    CaptureBusy = true;
    SetControlsEnabled(false);
    const QString instruction = label1_->text();
    btnJoy(index).setStyleSheet(kGreen);
    SetPadButtonsEnabled(false);
    LastKeyCode = 0;
    label1_->setText(MsgPressKey + QStringLiteral(" ") + PromptName(index));
    label1_->setStyleSheet(kRed);

    // Sleeps until a key-down or a cancel ends the wait; everything else the
    // event loop delivers meanwhile (clicks, timers, closing) runs inside it.
    if (LastKeyCode == 0 && !CaptureCancelled) {
        QEventLoop wait;
        captureWait_ = &wait;
        wait.exec();
        captureWait_ = nullptr;
    }

    SetPadButtonsEnabled(true);
    btnJoy(index).setStyleSheet(QString());
    SetControlsEnabled(true);
    if (LastKeyCode > 0 && !CaptureCancelled) {
        tags_[static_cast<std::size_t>(index)] = std::to_string(LastKeyCode);
    }
    ShowTagName(index);
    label1_->setText(instruction);
    label1_->setStyleSheet(QString());
    CaptureBusy = false;
}

void formJoyConfig::Form_KeyDown(int keyCode) {
    if (keyCode == 0) {
        return;  // a key the program has no code for
    }
    LastKeyCode = keyCode;
    if (captureWait_ != nullptr) {
        captureWait_->quit();
    }
}

void formJoyConfig::CancelCapture() {
    CaptureCancelled = true;
    if (captureWait_ != nullptr) {
        captureWait_->quit();
    }
}

void formJoyConfig::SetControlsEnabled(bool enabled) {
    QWidget* const locked[] = {btnSave_,     cmbName_,         cmbJoyPad_,    btnConfig_,
                               cmbLanguage_, &btnAutoConfig(), chkJoyEnabled_};
    for (QWidget* control : locked) {
        control->setEnabled(enabled);
    }
}

void formJoyConfig::SetPadButtonsEnabled(bool enabled) {
    for (int i = 0; i < kPadButtons; ++i) {
        btnJoy(i).setEnabled(enabled);
    }
}

const keycodes::KeyLayout& formJoyConfig::CurrentKeyLayout() const {
    static const keycodes::KeyLayout kUs;
    return ports_.keyboardLayout != nullptr ? ports_.keyboardLayout->Current() : kUs;
}

void formJoyConfig::ShowTagNames() {
    for (int i = 0; i < kPadButtons; ++i) {
        ShowTagName(i);
    }
}

void formJoyConfig::ShowTagName(int index) {
    const auto code = ToKeyCode(tags_[static_cast<std::size_t>(index)]);
    const QString name =
        code ? QString::fromStdString(KeyName(*code, CurrentKeyLayout())) : QString();
    canvas_->ShowKeyName(index, name);
}

}  // namespace padrix
