#include "RemoteServer.h"

#include <QLocalSocket>
#include <QPointer>
#include <QTimer>

#include "PeerCredentials.h"
#include "remote/Request.h"

namespace padrix {
namespace {

constexpr qint64 kLineLimit = static_cast<qint64>(kMaxRequestBytes) + 1;

// One client: reads a line, answers it once and closes. Deletes itself,
// with its socket, once the client is gone or the time is up.
class Connection final : public QObject {
  public:
    Connection(QLocalSocket* socket, RemoteServer::Answerer answer, QObject* parent)
        : QObject(parent), socket_(socket), answer_(std::move(answer)) {
        socket_->setParent(this);
        socket_->setReadBufferSize(kLineLimit);
        deadline_.setSingleShot(true);
        connect(&deadline_, &QTimer::timeout, this, &Connection::TimedOut);
        connect(socket_, &QLocalSocket::readyRead, this, &Connection::Read);
        connect(socket_, &QLocalSocket::disconnected, this, &QObject::deleteLater);
        deadline_.start(RemoteServer::kRequestTimeoutMs);
    }

    void Refuse(std::string_view problem) { Send("error " + std::string(problem) + "\n"); }
    void Read() {
        while (!answered_ && socket_->bytesAvailable() > 0) {
            line_ += socket_->read(kLineLimit - line_.size());
            const qsizetype newline = line_.indexOf('\n');
            if (newline >= 0 || line_.size() >= kLineLimit) {
                const qsizetype length = newline >= 0 ? newline : line_.size();
                Send(answer_(std::string_view(line_.constData(), static_cast<size_t>(length))));
            }
        }
    }

  private:
    void Send(const std::string& answer) {
        answered_ = true;
        // A client may be gone before its answer.
        if (socket_->state() == QLocalSocket::ConnectedState) {
            socket_->write(answer.data(), static_cast<qint64>(answer.size()));
            socket_->flush();
        }
        socket_->disconnectFromServer();
    }
    void TimedOut() {
        if (!answered_) {
            Refuse("No request came within " +
                   std::to_string(RemoteServer::kRequestTimeoutMs / 1000) + " seconds.");
        }
        // An answer the client does not take goes with it.
        socket_->abort();
        deleteLater();
    }

    QLocalSocket* socket_;
    RemoteServer::Answerer answer_;
    QTimer deadline_;
    QByteArray line_;
    bool answered_ = false;
};

}  // namespace

RemoteServer::RemoteServer(Answerer answer, uid_t owner, QObject* parent)
    : QObject(parent), answer_(std::move(answer)), owner_(owner) {
    server_.setSocketOptions(QLocalServer::UserAccessOption);
    connect(&server_, &QLocalServer::newConnection, this, &RemoteServer::OnNewConnection);
}

bool RemoteServer::Listen(const QString& path) {
    QLocalServer::removeServer(path);
    return server_.listen(path);
}

void RemoteServer::OnNewConnection() {
    while (QLocalSocket* socket = server_.nextPendingConnection()) {
        // Another user's line is read like any other, so that the refusal
        // reaches a client still writing it, and answered without applying it.
        const bool stranger = !PeerIsUser(static_cast<int>(socket->socketDescriptor()), owner_);
        const Answerer refuse = [](std::string_view) {
            return std::string("error Refused: the request comes from another user.\n");
        };
        auto* connection = new Connection(socket, stranger ? refuse : answer_, this);
        ++open_;
        connect(connection, &QObject::destroyed, this, [this] { --open_; });
        if (open_ > kMaxConnections) {
            connection->Refuse("Too many requests at once.");
        } else {
            connection->Read();
        }
    }
}

}  // namespace padrix
