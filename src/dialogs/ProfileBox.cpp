#include "dialogs/ProfileBox.h"

#include <QCompleter>
#include <QKeyEvent>
#include <QTimer>
#include <QWheelEvent>

namespace padrix {

ProfileBox::ProfileBox(QWidget* parent) : QComboBox(parent) {
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    // When editing ends, QComboBox selects the entry that matches the text,
    // with the completer's regard for letter case, and replaces the text with
    // the entry's; matching only the exact letters leaves the text as typed.
    if (QCompleter* completion = completer()) {
        completion->setCaseSensitivity(Qt::CaseSensitive);
    }
    connect(this, &QComboBox::activated, this, [this](int index) {
        if (listClosing_) {
            emit entryChosen(index);
        }
    });
}

void ProfileBox::hidePopup() {
    // A choice in the list closes the list and reports the entry before the
    // event loop runs again; any other report comes from the text.
    listClosing_ = true;
    QComboBox::hidePopup();
    QTimer::singleShot(0, this, [this] { listClosing_ = false; });
}

void ProfileBox::keyPressEvent(QKeyEvent* event) {
    const bool plain = (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    switch (event->key()) {
        case Qt::Key_Up:
        case Qt::Key_Down:
        case Qt::Key_PageUp:
        case Qt::Key_PageDown:
            if (plain) {
                showPopup();
                event->accept();
                return;
            }
            break;
        default:
            break;
    }
    QComboBox::keyPressEvent(event);
}

void ProfileBox::wheelEvent(QWheelEvent* event) {
    event->ignore();
}

}  // namespace padrix
