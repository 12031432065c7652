#pragma once

#include <QString>
#include <string>

namespace padrix {

// The built-in text of the message shown when the controller input cannot
// start (language id 17), in the tray and the configuration dialog.
inline const QString kDefaultDirectInputError =
    QStringLiteral("The game controller input could not be started.");

// Shows text and, on a paragraph of its own, what the controller system (SDL)
// said about it, when it said anything; in a message box with an OK button,
// titled with the program's name. Returns when the box is closed.
void ShowInputStartError(const QString& text, const std::string& reason);

}  // namespace padrix
