// A desktop portal with screenshots only, for tests, on the session bus of
// DBUS_SESSION_BUS_ADDRESS:
//   padrix-fake-portal <response> [<file>]
// answers every Screenshot request with <response> (0 done, 1 cancelled,
// 2 failed; "none": never) and, when done, the file's URI.
#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QObject>
#include <QTimer>
#include <QUrl>
#include <QVariantMap>

#include <cstdio>

namespace {

class ScreenshotPortal : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.portal.Screenshot")
    Q_PROPERTY(uint version READ version)

  public:
    ScreenshotPortal(QString response, QString file)
        : response_(std::move(response)), file_(std::move(file)) {}
    uint version() const { return 2; }

  public slots:
    QDBusObjectPath Screenshot(const QString&, const QVariantMap& options,
                               const QDBusMessage& message) {
        QString sender = message.service().mid(1);
        sender.replace('.', '_');
        const QString handle = "/org/freedesktop/portal/desktop/request/" + sender + '/' +
                               options.value("handle_token").toString();
        if (response_ != "none") {
            // After the reply, as a portal answers once the picture is taken.
            QTimer::singleShot(0, this, [this, handle] { Answer(handle); });
        }
        return QDBusObjectPath(handle);
    }

  private:
    void Answer(const QString& handle) {
        QDBusMessage signal =
            QDBusMessage::createSignal(handle, "org.freedesktop.portal.Request", "Response");
        QVariantMap results;
        if (response_ == "0") {
            results["uri"] = QUrl::fromLocalFile(file_).toString();
        }
        signal << response_.toUInt() << results;
        QDBusConnection::sessionBus().send(signal);
    }

    QString response_;
    QString file_;
};

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() < 2) {
        std::fprintf(stderr, "usage: padrix-fake-portal <response> [<file>]\n");
        return 2;
    }
    ScreenshotPortal portal(args[1], args.value(2));
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.registerObject(
            "/org/freedesktop/portal/desktop", &portal,
            QDBusConnection::ExportAllSlots | QDBusConnection::ExportAllProperties) ||
        !bus.registerService("org.freedesktop.portal.Desktop")) {
        std::fprintf(stderr, "padrix-fake-portal: cannot serve on the session bus\n");
        return 1;
    }
    return QCoreApplication::exec();
}

#include "FakeScreenshotPortal.moc"
