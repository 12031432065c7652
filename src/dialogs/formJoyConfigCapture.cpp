#include <QEventLoop>

#include "dialogs/KeyName.h"
#include "dialogs/formJoyConfig.h"
#include "settings/SettingValues.h"

namespace padrix {
namespace {

const QString kGreen = QStringLiteral("background-color: rgb(0, 255, 0);");
const QString kRed = QStringLiteral("color: rgb(255, 0, 0);");

}  // namespace

void formJoyConfig::btnJoy_Click(int index) {
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
    if (unloaded_) {
        deleteLater();  // closed while this capture waited
    }
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
    btnAutoConfig().setEnabled(false);  // see the constructor
}

void formJoyConfig::SetPadButtonsEnabled(bool enabled) {
    for (int i = 0; i < kPadButtons; ++i) {
        btnJoy(i).setEnabled(enabled);
    }
}

void formJoyConfig::ShowTagNames() {
    for (int i = 0; i < kPadButtons; ++i) {
        ShowTagName(i);
    }
}

void formJoyConfig::ShowTagName(int index) {
    const auto code = ToKeyCode(tags_[static_cast<std::size_t>(index)]);
    const QString name = code ? QString::fromStdString(KeyName(*code)) : QString();
    btnJoy(index).setToolTip(name);
    if (index < kStatusLabels) {
        lblStatus(index).setText(name);
    }
}

}  // namespace padrix
