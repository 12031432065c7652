#pragma once

#include <string>

namespace padrix {

// QSettings guards its file with a lock file beside it ("<file>.lock"): it
// creates the file, takes the file's native lock (flock) and then writes its
// process id. A process killed before writing leaves an empty file, on which
// QSettings would then wait for half a minute. Such a file is removed when
// nobody holds its native lock; a file that is locked belongs to a live
// writer and stays. Where the file system offers no native lock, only an
// empty file a few seconds old is removed. A lock with content is left for
// QSettings to judge.
void RemoveAbandonedLock(const std::string& settingsFile);

}  // namespace padrix
