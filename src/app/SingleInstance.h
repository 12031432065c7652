#pragma once

#include <QLockFile>
#include <QString>
#include <optional>

namespace padrix {

// Holds the per-user lock that makes the program run once. The lock is let go
// when this object is destroyed; a lock left by a crashed run is taken over.
class SingleInstance {
  public:
    explicit SingleInstance(const QString& runtimeFolder);

    // True when this process holds the lock; false while another runs. The
    // lock is tried on the first call only; later calls give that outcome.
    bool Acquire();

    static QString LockFileName() { return QStringLiteral("Padrix.lock"); }

  private:
    QLockFile lock_;
    std::optional<bool> acquired_;
};

}  // namespace padrix
