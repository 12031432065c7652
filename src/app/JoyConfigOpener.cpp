#include "JoyConfigOpener.h"

#include "TrayApplication.h"

namespace padrix {

JoyConfigOpener::JoyConfigOpener(TrayApplication& tray, ConfigDialogPorts ports)
    : ports_(std::move(ports)) {
    tray.SetJoyConfigHandler([this] { Show(); });
    connect(&tray, &TrayApplication::unloaded, this, [this] {
        if (dialog_ != nullptr) {
            dialog_->close();
        }
    });
}

JoyConfigOpener::~JoyConfigOpener() {
    delete dialog_.data();
}

void JoyConfigOpener::Show() {
    if (dialog_ == nullptr) {
        dialog_ = new ConfigDialog(ports_);
        dialog_->load();
    }
    if (dialog_ == nullptr) {
        return;
    }
    dialog_->show();
    dialog_->raise();
    dialog_->activateWindow();
}

}  // namespace padrix
