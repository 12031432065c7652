#pragma once

#include <QApplication>
#include <QFile>
#include <QMenu>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <functional>

namespace padrix::testing {

// Runs `act` on the first popup menu that opens, from inside the menu's own
// event loop; `act` must close the menu (by choosing an entry or not).
inline void OnNextPopup(std::function<void(QMenu&)> act) {
    QTimer::singleShot(0, [act] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (menu != nullptr) {
            act(*menu);
        }
    });
}

// Closes the first modal window that opens (a message box) and hands its
// text to `seen` first.
inline void OnNextModal(std::function<void(QWidget&)> seen) {
    QTimer::singleShot(0, [seen] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal != nullptr) {
            seen(*modal);
            modal->close();
        }
    });
}

// Waits, processing events, until a file exists with a complete first line;
// false after 10 s.
inline bool WaitForFile(const std::string& path) {
    const QString name = QString::fromStdString(path);
    return QTest::qWaitFor(
        [&name] {
            QFile f(name);
            return f.open(QIODevice::ReadOnly) && f.readAll().contains('\n');
        },
        10000);
}

inline QStringList ReadLines(const std::string& path) {
    QFile f(QString::fromStdString(path));
    if (!f.open(QIODevice::ReadOnly)) {
        return {};
    }
    return QString::fromUtf8(f.readAll()).split('\n', Qt::SkipEmptyParts);
}

}  // namespace padrix::testing
