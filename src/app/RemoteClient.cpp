#include "RemoteClient.h"

#include <QDeadlineTimer>
#include <QLocalSocket>
#include <cstdio>

#include "PeerCredentials.h"
#include "remote/RemoteControl.h"

namespace padrix {
namespace {

// More than any answer holds: a status of eight joypads is far below.
constexpr qint64 kMaxAnswerBytes = 64 * 1024;

}  // namespace

std::optional<std::string> ExchangeRequest(const QString& socketPath, std::string_view line,
                                           int timeoutMs) {
    const QDeadlineTimer deadline(timeoutMs);
    QLocalSocket socket;
    socket.connectToServer(socketPath);
    if (!socket.waitForConnected(deadline.remainingTime()) ||
        !PeerIsSameUser(static_cast<int>(socket.socketDescriptor()))) {
        return std::nullopt;
    }
    const std::string request = std::string(line) + "\n";
    socket.write(request.data(), static_cast<qint64>(request.size()));
    socket.flush();
    QByteArray answer;
    while (answer.size() < kMaxAnswerBytes && !deadline.hasExpired()) {
        answer += socket.readAll();
        if (socket.state() != QLocalSocket::ConnectedState ||
            !socket.waitForReadyRead(deadline.remainingTime())) {
            break;
        }
    }
    answer += socket.read(kMaxAnswerBytes);
    return answer.toStdString();
}

std::optional<int> ForwardRequest(const QString& socketPath, const Request& request) {
    const std::optional<std::string> answer = ExchangeRequest(socketPath, FormatRequest(request));
    if (!answer) {
        return std::nullopt;
    }
    const std::optional<AnswerVerdict> verdict = ReadAnswer(*answer);
    if (!verdict) {
        std::fputs("padrix: The running Padrix gave no answer.\n", stderr);
        return 1;
    }
    std::fputs(verdict->lines.c_str(), stdout);
    if (!verdict->ok) {
        std::fprintf(stderr, "padrix: %s\n", verdict->problem.c_str());
        return 1;
    }
    return 0;
}

}  // namespace padrix
