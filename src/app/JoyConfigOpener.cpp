#include "JoyConfigOpener.h"

#include "TrayApplication.h"

namespace padrix {

JoyConfigOpener::JoyConfigOpener(TrayApplication& form, JoyConfigPorts ports)
    : ports_(std::move(ports)) {
    form.SetJoyConfigHandler([this] { Show(); });
    connect(&form, &TrayApplication::unloaded, this, [this] {
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
        dialog_ = new formJoyConfig(ports_);
        dialog_->Form_Load();
    }
    if (dialog_ == nullptr) {
        return;
    }
    dialog_->show();
    dialog_->raise();
    dialog_->activateWindow();
}

}  // namespace padrix
