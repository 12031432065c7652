#include "platform/Guardian.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/mman.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <new>
#include <utility>
#include <vector>

extern char** environ;

namespace padrix {

namespace {

// A descriptor closed when it goes out of scope.
class Fd {
  public:
    explicit Fd(int fd) : fd_(fd) {}
    ~Fd() {
        if (fd_ >= 0) {
            close(fd_);
        }
    }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    int get() const { return fd_; }
    int release() { return std::exchange(fd_, -1); }

  private:
    int fd_;
};

HeldInputs* MapPage(int fd) {
    if (ftruncate(fd, sizeof(HeldInputs)) != 0) {
        return nullptr;
    }
    void* memory = mmap(nullptr, sizeof(HeldInputs), PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
    return memory == MAP_FAILED ? nullptr : new (memory) HeldInputs;
}

pid_t Spawn(const std::string& program, const std::string& display,
            const std::string& waylandDisplay, int pageFd, int endFd) {
    std::vector<std::string> args = {program, display, std::to_string(pageFd),
                                     std::to_string(endFd)};
    if (!waylandDisplay.empty()) {
        args.push_back(waylandDisplay);
    }
    std::vector<char*> argv;
    for (std::string& a : args) {
        argv.push_back(a.data());
    }
    argv.push_back(nullptr);
    pid_t pid = -1;
    return posix_spawn(&pid, program.c_str(), nullptr, nullptr, argv.data(), environ) == 0 ? pid
                                                                                           : -1;
}

}  // namespace

Guardian Guardian::Start(const std::string& program, const std::string& display,
                         const std::string& waylandDisplay) {
    Guardian guardian;
    // Without close-on-exec: the guardian inherits these two, and the
    // program closes its copies once the guardian runs.
    Fd pageFd(memfd_create("padrix-held-inputs", 0));
    int ends[2] = {-1, -1};
    if (pageFd.get() < 0 || pipe(ends) != 0) {
        return guardian;
    }
    Fd readEnd(ends[0]);
    Fd writeEnd(ends[1]);
    // The writing end stays with this process alone, not with the guardian
    // nor with any program started later.
    if (fcntl(writeEnd.get(), F_SETFD, FD_CLOEXEC) != 0) {
        return guardian;
    }
    HeldInputs* page = MapPage(pageFd.get());
    if (page == nullptr) {
        return guardian;
    }
    const pid_t pid = Spawn(program, display, waylandDisplay, pageFd.get(), readEnd.get());
    if (pid < 0) {
        munmap(page, sizeof(HeldInputs));
        return guardian;
    }
    guardian.page_ = page;
    guardian.endFd_ = writeEnd.release();
    guardian.pid_ = pid;
    return guardian;
}

Guardian::~Guardian() {
    End();
}

Guardian::Guardian(Guardian&& other) noexcept
    : page_(std::exchange(other.page_, nullptr)),
      endFd_(std::exchange(other.endFd_, -1)),
      pid_(std::exchange(other.pid_, -1)) {}

Guardian& Guardian::operator=(Guardian&& other) noexcept {
    if (this != &other) {
        End();
        page_ = std::exchange(other.page_, nullptr);
        endFd_ = std::exchange(other.endFd_, -1);
        pid_ = std::exchange(other.pid_, -1);
    }
    return *this;
}

void Guardian::End() {
    if (page_ != nullptr) {
        page_->orderlyExit.store(1, std::memory_order_release);
        munmap(page_, sizeof(HeldInputs));
        page_ = nullptr;
    }
    if (endFd_ >= 0) {
        close(endFd_);
        endFd_ = -1;
    }
    if (pid_ > 0) {
        while (waitpid(pid_, nullptr, 0) < 0 && errno == EINTR) {
        }
        pid_ = -1;
    }
}

}  // namespace padrix
