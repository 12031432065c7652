#pragma once

#include <QObject>
#include <QPointer>

#include "dialogs/ConfigDialog.h"

namespace padrix {

class TrayApplication;

// Opens the configuration dialog for the tray: one dialog at a time,
// raised when it is open already, closed when the tray unloads.
class ConfigDialogOpener final : public QObject {
    Q_OBJECT
  public:
    // ports.session is the tray's.
    ConfigDialogOpener(TrayApplication& tray, ConfigDialogPorts ports);
    ~ConfigDialogOpener() override;

    void Show();
    ConfigDialog* dialog() const { return dialog_; }

  private:
    ConfigDialogPorts ports_;
    QPointer<ConfigDialog> dialog_;
};

}  // namespace padrix
