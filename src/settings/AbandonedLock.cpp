#include "settings/AbandonedLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <ctime>

namespace padrix {
namespace {

// Where the file system cannot tell whether a writer holds the lock, an empty
// lock file younger than this may still be a live writer's.
constexpr std::chrono::seconds kAbandonedAfter{5};

class OpenFile {
  public:
    explicit OpenFile(const std::string& path)
        : fd_(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK)) {}
    ~OpenFile() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    OpenFile(const OpenFile&) = delete;
    OpenFile& operator=(const OpenFile&) = delete;
    int fd() const { return fd_; }

  private:
    int fd_;
};

bool IsEmptyFile(int fd, struct stat& info) {
    return ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && info.st_size == 0;
}

bool IsOld(const struct stat& info) {
    return std::time(nullptr) - info.st_mtime > kAbandonedAfter.count();
}

// Removes the lock file when it is empty and no live writer has it. A writer
// takes the file's native lock right after creating it and keeps it until it
// is done, so a file nobody has locked was left by a process that is gone.
void RemoveIfAbandoned(const std::string& lockFile) {
    const OpenFile file(lockFile);
    struct stat info {};
    if (file.fd() < 0 || !IsEmptyFile(file.fd(), info)) {
        return;
    }
    if (::flock(file.fd(), LOCK_EX | LOCK_NB) != 0 && (errno == EWOULDBLOCK || !IsOld(info))) {
        return;
    }
    // Still empty now that the lock is ours: nobody wrote to it meanwhile.
    if (IsEmptyFile(file.fd(), info)) {
        ::unlink(lockFile.c_str());
    }
}

}  // namespace

void RemoveAbandonedLock(const std::string& settingsFile) {
    RemoveIfAbandoned(settingsFile + ".lock");
    RemoveIfAbandoned(settingsFile + ".lock.rmlock");
}

}  // namespace padrix
