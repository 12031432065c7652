#include "TerminationSignals.h"

#include <fcntl.h>
#include <unistd.h>

#include <array>
#include <atomic>
#include <cerrno>
#include <csignal>

namespace padrix {

namespace {

constexpr std::array<int, 3> kSignals = {SIGTERM, SIGINT, SIGHUP};

// A signal handler can reach nothing but static storage: the write end of the
// pipe of the one installed watcher, -1 while there is none.
std::atomic<int> wakeFd{-1};

void OnSignal(int signalNumber) {
    const int saved = errno;
    const int fd = wakeFd.load();
    if (fd >= 0) {
        const auto byte = static_cast<unsigned char>(signalNumber);
        [[maybe_unused]] const ssize_t n = write(fd, &byte, 1);
    }
    errno = saved;
}

void InstallHandler(std::array<struct sigaction, 3>& previous) {
    struct sigaction action {};
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (std::size_t i = 0; i < kSignals.size(); ++i) {
        sigaction(kSignals[i], &action, &previous[i]);
    }
}

void RestoreHandlers(const std::array<struct sigaction, 3>& previous) {
    for (std::size_t i = 0; i < kSignals.size(); ++i) {
        sigaction(kSignals[i], &previous[i], nullptr);
    }
}

}  // namespace

TerminationSignals::TerminationSignals() {
    if (pipe2(fds_, O_CLOEXEC | O_NONBLOCK) != 0) {
        fds_[0] = fds_[1] = -1;
        return;
    }
    int expected = -1;
    if (!wakeFd.compare_exchange_strong(expected, fds_[1])) {
        return;
    }
    notifier_ = std::make_unique<QSocketNotifier>(fds_[0], QSocketNotifier::Read);
    connect(notifier_.get(), &QSocketNotifier::activated, this, &TerminationSignals::Drain);
    InstallHandler(previous_);
}

TerminationSignals::~TerminationSignals() {
    if (notifier_) {
        RestoreHandlers(previous_);
        wakeFd.store(-1);
        notifier_.reset();
    }
    for (int fd : fds_) {
        if (fd >= 0) {
            close(fd);
        }
    }
}

void TerminationSignals::Drain() {
    unsigned char byte = 0;
    int last = 0;
    while (read(fds_[0], &byte, 1) == 1) {
        last = byte;
    }
    if (last != 0) {
        emit terminationRequested(last);
    }
}

}  // namespace padrix
