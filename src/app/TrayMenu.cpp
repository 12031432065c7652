#include "TrayMenu.h"

namespace padrix {

TrayMenu::TrayMenu() {
    menu_.setObjectName(QStringLiteral("mnuMain"));
    // A greyed entry says why in its tooltip.
    menu_.setToolTipsVisible(true);
    for (const MenuEntryInfo& info : kMenuEntries) {
        QAction* a = menu_.addAction(
            QString::fromUtf8(info.caption.data(), static_cast<int>(info.caption.size())));
        a->setObjectName(
            QString::fromUtf8(info.objectName.data(), static_cast<int>(info.objectName.size())));
        a->setCheckable(info.checkable);
        const MenuEntry entry = info.entry;
        connect(a, &QAction::triggered, this, [this, entry] { emit chosen(entry); });
        actions_[static_cast<std::size_t>(Index(entry))] = a;
        if (info.separatorAfter) {
            menu_.addSeparator();
        }
    }
}

}  // namespace padrix
