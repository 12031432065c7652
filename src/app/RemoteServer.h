#pragma once

#include <QLocalServer>
#include <QObject>
#include <QString>
#include <functional>
#include <string>
#include <string_view>

#include <sys/types.h>
#include <unistd.h>

namespace padrix {

// The running Padrix's end of the command line: a local socket that only
// its own user may use. Each connection brings one request line, bounded,
// within a time limit; the answer goes back and the connection is closed.
// Nothing a client sends or leaves unsent holds the program up.
class RemoteServer final : public QObject {
    Q_OBJECT
  public:
    // The answer to one line (its newline taken off; a line longer than the
    // bound is handed over cut just past it).
    using Answerer = std::function<std::string(std::string_view line)>;

    static constexpr int kRequestTimeoutMs = 5000;
    static constexpr int kMaxConnections = 16;

    // Answers only clients that run as `owner`; everyone else gets the
    // refusal line and nothing is applied.
    explicit RemoteServer(Answerer answer, uid_t owner = ::geteuid(), QObject* parent = nullptr);

    // Listens at `path`, mode 0600, replacing the file a crashed run left
    // (call it only while holding the single-instance lock). False with
    // ErrorText() when the socket cannot be made.
    bool Listen(const QString& path);
    QString ErrorText() const { return server_.errorString(); }

  private:
    void OnNewConnection();

    Answerer answer_;
    uid_t owner_;
    QLocalServer server_;
    int open_ = 0;
};

}  // namespace padrix
