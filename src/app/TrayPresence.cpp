#include "TrayPresence.h"

#include <QCoreApplication>
#include <QCursor>
#include <QDBusConnection>
#include <QDBusConnectionInterface>

#include "AppTexts.h"
#include "TrayMessage.h"

namespace padrix {

namespace {
// How often the fallback window looks for a notification area that appeared.
constexpr int kTrayWatchMs = 1000;

// Whether icons sit in a StatusNotifierItem host, as Qt then puts ours there.
bool StatusNotifierHostRuns() {
    const QDBusConnectionInterface* bus = QDBusConnection::sessionBus().interface();
    return bus != nullptr &&
           bus->isServiceRegistered(QStringLiteral("org.kde.StatusNotifierWatcher"));
}
}  // namespace

TrayPresence::TrayPresence(const QIcon& icon)
    : image_(icon), icon_(icon), menuButtonText_(kDefaultMenuButton) {
    connect(&icon_, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason r) {
        fromFallback_ = false;
        emit message(TrayMessageOf(r, StatusNotifierHostRuns()));
    });
    trayWatch_.setInterval(kTrayWatchMs);
    connect(&trayWatch_, &QTimer::timeout, this, &TrayPresence::MoveToIconWhenAvailable);
}

TrayPresence::~TrayPresence() {
    Remove();
}

void TrayPresence::Show(const QString& caption, const QString& tip) {
    if (removed_) {
        return;
    }
    SetTexts(caption, tip);
    if (QSystemTrayIcon::isSystemTrayAvailable()) {
        icon_.show();
    } else {
        ShowFallback();
    }
}

void TrayPresence::SetTexts(const QString& caption, const QString& tip) {
    caption_ = caption;
    icon_.setToolTip(tip);
    if (fallback_) {
        fallback_->SetCaption(caption);
    }
}

void TrayPresence::SetMenuButtonText(const QString& text) {
    menuButtonText_ = text;
    if (fallback_) {
        fallback_->menuButton().setText(text);
    }
}

void TrayPresence::Remove() {
    if (removed_) {
        return;
    }
    removed_ = true;
    trayWatch_.stop();
    // Taking the icon's window away while the event loop still runs lets Qt
    // deliver a pending pointer event to the destroyed window; it goes once
    // the loop has ended, moments before the process does.
    if (icon_.isVisible() && QCoreApplication::instance() != nullptr) {
        connect(QCoreApplication::instance(), &QCoreApplication::aboutToQuit, &icon_,
                &QSystemTrayIcon::hide, Qt::SingleShotConnection);
    }
    // The window may be the sender of the message being handled: hide it and
    // let it go with this object.
    if (fallback_) {
        fallback_->hide();
    }
}

void TrayPresence::Notify(const QString& text) {
    if (removed_) {
        return;
    }
    notices_.append(text);
    if (icon_.isVisible()) {
        icon_.showMessage(caption_, text, QSystemTrayIcon::Warning);
    } else if (fallback_) {
        fallback_->ShowNotice(text);
    }
}

QPoint TrayPresence::MenuPosition() const {
    return (fromFallback_ && fallback_) ? fallback_->MenuPosition() : QCursor::pos();
}

void TrayPresence::ShowFallback() {
    if (!fallback_) {
        fallback_ = std::make_unique<FallbackWindow>(image_);
        connect(
            fallback_.get(), &FallbackWindow::menuRequested, this,
            [this] {
                fromFallback_ = true;
                emit message(kTrayRightUp);
            },
            Qt::QueuedConnection);
        connect(
            fallback_.get(), &FallbackWindow::doubleClicked, this,
            [this] {
                fromFallback_ = true;
                emit message(kTrayLeftDoubleClick);
            },
            Qt::QueuedConnection);
        connect(fallback_.get(), &FallbackWindow::closeRequested, this,
                &TrayPresence::exitRequested, Qt::QueuedConnection);
    }
    fallback_->SetCaption(caption_);
    fallback_->menuButton().setText(menuButtonText_);
    fallback_->show();
    trayWatch_.start();
}

void TrayPresence::MoveToIconWhenAvailable() {
    if (removed_ || !QSystemTrayIcon::isSystemTrayAvailable()) {
        return;
    }
    trayWatch_.stop();
    icon_.show();
    fallback_->hide();
}

}  // namespace padrix
