#include "SingleInstance.h"

#include <QDir>

namespace padrix {

SingleInstance::SingleInstance(const QString& runtimeFolder)
    : lock_(QDir(runtimeFolder).filePath(LockFileName())) {
    // A running instance keeps its lock however long it runs; only a lock
    // whose process is gone counts as stale.
    lock_.setStaleLockTime(0);
}

bool SingleInstance::Acquire() {
    if (!acquired_) {
        acquired_ = lock_.tryLock(0);
    }
    return *acquired_;
}

}  // namespace padrix
