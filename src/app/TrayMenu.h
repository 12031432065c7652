#pragma once

#include <QAction>
#include <QMenu>
#include <QObject>
#include <array>

#include "session/MenuEntry.h"

namespace padrix {

// The popup menu mnuMain. It only shows: captions, check marks and enabled
// states are set from outside, and a chosen entry is reported by `chosen`.
class TrayMenu final : public QObject {
    Q_OBJECT
  public:
    TrayMenu();

    QMenu& menu() { return menu_; }
    QAction& action(MenuEntry e) { return *actions_[static_cast<std::size_t>(Index(e))]; }

    void SetCaption(MenuEntry e, const QString& caption) { action(e).setText(caption); }
    QString Caption(MenuEntry e) { return action(e).text(); }
    void SetChecked(MenuEntry e, bool checked) { action(e).setChecked(checked); }
    void SetEnabled(MenuEntry e, bool enabled) { action(e).setEnabled(enabled); }

  signals:
    void chosen(padrix::MenuEntry entry);

  private:
    QMenu menu_;
    std::array<QAction*, kMenuEntryCount> actions_{};
};

}  // namespace padrix
