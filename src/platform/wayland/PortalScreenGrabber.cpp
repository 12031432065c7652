#include "platform/wayland/PortalScreenGrabber.h"

#include <sys/stat.h>
#include <unistd.h>

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QEventLoop>
#include <QImageReader>
#include <QTimer>
#include <QUrl>

#include <algorithm>
#include <optional>
#include <utility>

#include "platform/wayland/PortalResponse.h"

namespace padrix::wayland {

namespace {

namespace fs = std::filesystem;

const QString kPortal = QStringLiteral("org.freedesktop.portal.Desktop");
const QString kPortalPath = QStringLiteral("/org/freedesktop/portal/desktop");
const QString kScreenshot = QStringLiteral("org.freedesktop.portal.Screenshot");
const QString kRequest = QStringLiteral("org.freedesktop.portal.Request");

int Milliseconds(std::chrono::steady_clock::duration d) {
    return static_cast<int>(
        std::max<std::int64_t>(0, std::chrono::ceil<std::chrono::milliseconds>(d).count()));
}

// Where the portal puts the request's object: its path is made of our name
// on the bus and the token we chose.
QString RequestPath(const QDBusConnection& bus, const QString& token) {
    QString sender = bus.baseService().mid(1);
    sender.replace('.', '_');
    return kPortalPath + QStringLiteral("/request/") + sender + '/' + token;
}

// A file of ours that the portal wrote for this request into the temporary
// folder: a plain file (no link), directly there, written since `since`.
bool LeftForUs(const fs::path& file, const fs::path& temporaryFolder,
               std::chrono::system_clock::time_point since) {
    std::error_code error;
    const fs::path folder = fs::canonical(temporaryFolder, error);
    if (error || fs::canonical(file.parent_path(), error) != folder || error) {
        return false;
    }
    struct stat about {};
    if (lstat(file.c_str(), &about) != 0 || !S_ISREG(about.st_mode) || about.st_uid != geteuid()) {
        return false;
    }
    const auto written = std::chrono::system_clock::from_time_t(about.st_mtim.tv_sec) +
                         std::chrono::nanoseconds(about.st_mtim.tv_nsec);
    // File times may lag the clock by a tick of the file system's.
    return written + std::chrono::seconds(1) >= since;
}

using Deadline = std::chrono::steady_clock::time_point;

// Asks for a screenshot and waits for the portal's answer until the deadline.
std::optional<PortalResponse::Answer> AskForScreenshot(QDBusConnection& bus, const QString& token,
                                                       Deadline deadline) {
    QString request = RequestPath(bus, token);
    PortalResponse response;
    QEventLoop loop;
    QObject::connect(&response, &PortalResponse::answered, &loop, &QEventLoop::quit);
    const auto listen = [&](bool on) {
        const char* slot = SLOT(OnResponse(uint, QVariantMap));
        return on ? bus.connect(kPortal, request, kRequest, QStringLiteral("Response"), &response,
                                slot)
                  : bus.disconnect(kPortal, request, kRequest, QStringLiteral("Response"),
                                   &response, slot);
    };
    // Listening before asking, so that no answer comes unheard.
    listen(true);
    QDBusMessage call = QDBusMessage::createMethodCall(kPortal, kPortalPath, kScreenshot,
                                                       QStringLiteral("Screenshot"));
    call << QString()
         << QVariantMap{{QStringLiteral("handle_token"), token},
                        {QStringLiteral("interactive"), false}};
    const QDBusMessage reply =
        bus.call(call, QDBus::Block, Milliseconds(deadline - std::chrono::steady_clock::now()));
    if (reply.type() == QDBusMessage::ReplyMessage && !reply.arguments().isEmpty()) {
        // Portals older than the token scheme choose the path themselves.
        const QString given = reply.arguments().constFirst().value<QDBusObjectPath>().path();
        if (!given.isEmpty() && given != request) {
            listen(false);
            request = given;
            listen(true);
        }
        QTimer bound;
        bound.setSingleShot(true);
        QObject::connect(&bound, &QTimer::timeout, &loop, &QEventLoop::quit);
        bound.start(Milliseconds(deadline - std::chrono::steady_clock::now()));
        loop.exec();
    }
    listen(false);
    return response.answer();
}

// Reads the picture the portal saved, and removes its file when it was
// left for us alone.
QImage TakePicture(const PortalResponse::Answer& answer, const fs::path& temporaryFolder,
                   std::chrono::system_clock::time_point asked) {
    const QUrl uri(answer.results.value(QStringLiteral("uri")).toString());
    if (answer.code != 0 || !uri.isLocalFile()) {
        return {};
    }
    const QString file = uri.toLocalFile();
    QImageReader reader(file);
    reader.setAutoTransform(true);
    const QImage picture = reader.read();
    if (LeftForUs(file.toStdString(), temporaryFolder, asked)) {
        std::error_code ignored;
        fs::remove(file.toStdString(), ignored);
    }
    return picture;
}

}  // namespace

PortalScreenGrabber::PortalScreenGrabber(std::string busAddress,
                                         std::filesystem::path temporaryFolder,
                                         std::chrono::milliseconds patience)
    : busAddress_(std::move(busAddress)),
      temporaryFolder_(std::move(temporaryFolder)),
      patience_(patience),
      connectionName_(QStringLiteral("padrix-portal-%1").arg(reinterpret_cast<quintptr>(this))) {}

PortalScreenGrabber::~PortalScreenGrabber() {
    QDBusConnection::disconnectFromBus(connectionName_);
}

QImage PortalScreenGrabber::Grab() {
    QDBusConnection bus = connected_ ? QDBusConnection(connectionName_)
                                     : QDBusConnection::connectToBus(
                                           QString::fromStdString(busAddress_), connectionName_);
    connected_ = bus.isConnected();
    if (!connected_) {
        QDBusConnection::disconnectFromBus(connectionName_);
        return {};
    }
    const Deadline deadline = std::chrono::steady_clock::now() + patience_;
    const auto asked = std::chrono::system_clock::now();
    const auto answer =
        AskForScreenshot(bus, QStringLiteral("padrix%1").arg(++requests_), deadline);
    return answer ? TakePicture(*answer, temporaryFolder_, asked) : QImage();
}

bool PortalOffersScreenshots(const std::string& busAddress) {
    if (busAddress.empty()) {
        return false;
    }
    const QString name = QStringLiteral("padrix-portal-probe");
    bool offered = false;
    {
        QDBusConnection bus =
            QDBusConnection::connectToBus(QString::fromStdString(busAddress), name);
        QDBusMessage get = QDBusMessage::createMethodCall(
            kPortal, kPortalPath, QStringLiteral("org.freedesktop.DBus.Properties"),
            QStringLiteral("Get"));
        get << kScreenshot << QStringLiteral("version");
        offered = bus.isConnected() &&
                  bus.call(get, QDBus::Block, 5000).type() == QDBusMessage::ReplyMessage;
    }
    QDBusConnection::disconnectFromBus(name);
    return offered;
}

}  // namespace padrix::wayland
