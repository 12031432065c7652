#pragma once

#include <QObject>
#include <QPointer>

#include "dialogs/JoyConfigHost.h"
#include "dialogs/formJoyConfig.h"

namespace padrix {

class TrayApplication;

// Opens the configuration dialog for the main form: one dialog at a time,
// raised when it is open already, closed when the main form unloads.
class JoyConfigOpener final : public QObject {
    Q_OBJECT
  public:
    // ports.host is the main form.
    JoyConfigOpener(TrayApplication& form, JoyConfigPorts ports);
    ~JoyConfigOpener() override;

    void Show();
    formJoyConfig* dialog() const { return dialog_; }

  private:
    JoyConfigPorts ports_;
    QPointer<formJoyConfig> dialog_;
};

}  // namespace padrix
