#pragma once

#include <QObject>
#include <QSocketNotifier>
#include <array>
#include <csignal>
#include <memory>

namespace padrix {

// Turns SIGTERM, SIGINT and SIGHUP into a Qt signal on the event loop. The
// handler only writes one byte into a pipe; all work happens in the slot
// connected to terminationRequested. One watcher may exist at a time; the
// previous handlers come back when it is destroyed.
class TerminationSignals final : public QObject {
    Q_OBJECT
  public:
    TerminationSignals();
    ~TerminationSignals() override;
    TerminationSignals(const TerminationSignals&) = delete;
    TerminationSignals& operator=(const TerminationSignals&) = delete;

    // False when the pipe could not be made or another watcher is installed.
    bool Installed() const { return notifier_ != nullptr; }

  signals:
    void terminationRequested(int signalNumber);

  private:
    void Drain();

    int fds_[2] = {-1, -1};
    std::array<struct sigaction, 3> previous_{};
    std::unique_ptr<QSocketNotifier> notifier_;
};

}  // namespace padrix
