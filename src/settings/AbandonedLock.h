#pragma once

#include <string>

namespace padrix {

// QSettings guards its file with a lock file beside it ("<file>.lock") that
// names the process holding it. A process killed between creating that file
// and writing its name leaves an empty one, which QSettings would then wait
// on for half a minute. Such a file names no process, so it is removed; a
// lock that names a process is left for QSettings to judge.
void RemoveAbandonedLock(const std::string& settingsFile);

}  // namespace padrix
