#pragma once

#include <QIcon>
#include <QObject>
#include <QPoint>
#include <QStringList>
#include <QSystemTrayIcon>
#include <QTimer>
#include <memory>

#include "FallbackWindow.h"

namespace padrix {

// The program's place on the desktop: the notification-area icon where the
// desktop has a notification area, otherwise the fallback window, which gives
// way to the icon as soon as a notification area appears.
class TrayPresence final : public QObject {
    Q_OBJECT
  public:
    explicit TrayPresence(const QIcon& icon);
    ~TrayPresence() override;

    void Show(const QString& caption, const QString& tip);
    void SetTexts(const QString& caption, const QString& tip);
    // The caption of the fallback window's menu button.
    void SetMenuButtonText(const QString& text);
    // Tells the user `text`: a message from the icon, or a line in the
    // fallback window.
    void Notify(const QString& text);
    // Everything Notify was given, in order.
    const QStringList& Notices() const { return notices_; }
    // Takes the icon (or window) off the desktop for good.
    void Remove();

    bool IconShown() const { return icon_.isVisible(); }
    QString Tip() const { return icon_.toolTip(); }
    bool FallbackShown() const { return fallback_ && fallback_->isVisible(); }
    FallbackWindow* fallback() { return fallback_.get(); }

    // Where a popup menu opens for the last message.
    QPoint MenuPosition() const;

  signals:
    // A mouse message on the icon or its stand-in (TrayMessage numbers).
    void message(int trayMessage);
    // The stand-in window was closed: the user wants the program to end.
    void exitRequested();

  private:
    void ShowFallback();
    void MoveToIconWhenAvailable();

    QIcon image_;
    QSystemTrayIcon icon_;
    std::unique_ptr<FallbackWindow> fallback_;
    QTimer trayWatch_;
    QString caption_;
    QString menuButtonText_;
    QStringList notices_;
    bool fromFallback_ = false;
    bool removed_ = false;
};

}  // namespace padrix
