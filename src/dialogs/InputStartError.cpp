#include "dialogs/InputStartError.h"

#include "dialogs/PlainMessageBox.h"

namespace padrix {

void ShowInputStartError(const QString& text, const std::string& reason) {
    QString message = text;
    if (!reason.empty()) {
        message += QStringLiteral("\n\nSDL: ") + QString::fromStdString(reason);
    }
    ShowPlainMessage(QMessageBox::Critical, kProgramName, message);
}

}  // namespace padrix
