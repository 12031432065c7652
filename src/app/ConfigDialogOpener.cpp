#include "ConfigDialogOpener.h"

#include "TrayApplication.h"

namespace padrix {

ConfigDialogOpener::ConfigDialogOpener(TrayApplication& tray, ConfigDialogPorts ports)
    : ports_(std::move(ports)) {
    tray.SetConfigDialogHandler([this] { Show(); });
    connect(&tray, &TrayApplication::unloaded, this, [this] {
        if (dialog_ != nullptr) {
            dialog_->close();
        }
    });
}

ConfigDialogOpener::~ConfigDialogOpener() {
    delete dialog_.data();
}

void ConfigDialogOpener::Show() {
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
