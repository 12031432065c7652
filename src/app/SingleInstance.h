#pragma once

#include <QLockFile>
#include <QString>

namespace padrix {

// Holds the per-user lock that makes the program run once. The lock is let go
// when this object is destroyed; a lock left by a crashed run is taken over.
class SingleInstance {
  public:
    explicit SingleInstance(const QString& runtimeFolder);

    // True when this process now holds the lock; false while another runs.
    bool Acquire();

    static QString LockFileName() { return QStringLiteral("Padrix.lock"); }

  private:
    QLockFile lock_;
};

}  // namespace padrix
