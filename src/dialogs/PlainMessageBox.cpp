#include "dialogs/PlainMessageBox.h"

namespace padrix {

void ShowPlainMessage(QMessageBox::Icon icon, const QString& title, const QString& text) {
    QMessageBox box(icon, title, text, QMessageBox::Ok);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

}  // namespace padrix
