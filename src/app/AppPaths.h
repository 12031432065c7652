#pragma once

#include <QString>

#include "TrayApplication.h"

namespace padrix {

// Where the single-instance lock lives: the user's runtime folder or, where
// there is none, the program's folder in the user's cache folder.
QString RuntimeFolder();
// The running program's command socket, in the runtime folder.
QString CommandSocketPath();

// The folders of the program started from `programDir`: the program folder
// itself and, for the About box, the README and documentation folder of an
// installed program, else those of the source tree it was built from; the
// user's autostart file and this program's path for "Start with the desktop".
TrayPaths ProgramPaths(const QString& programDir);

}  // namespace padrix
