#pragma once

#include <QMessageBox>
#include <QString>

namespace padrix {

// The title of the program's message boxes.
inline const QString kProgramName = QStringLiteral("Padrix");

// Shows a modal message box with an OK button and waits until it is closed.
// The text is shown as it is, never read as markup: it may come from a
// language file, a path or a system error.
void ShowPlainMessage(QMessageBox::Icon icon, const QString& title, const QString& text);

}  // namespace padrix
