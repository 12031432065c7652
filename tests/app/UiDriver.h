#pragma once

#include <QApplication>
#include <QFile>
#include <QMenu>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <memory>

namespace padrix::testing {

// Calls `act` with the first widget that `find` returns, from the event loop
// that is running then (a menu's or a message box's own). Looks again on each
// pass of the loop, 10000 passes at most.
inline QPointer<QTimer> OnNext(std::function<QWidget*()> find, std::function<void(QWidget&)> act) {
    auto* timer = new QTimer;
    auto passes = std::make_shared<int>(0);
    QObject::connect(timer, &QTimer::timeout, [timer, passes, find, act] {
        QWidget* w = find();
        if (w == nullptr && ++*passes < 10000) {
            return;
        }
        timer->stop();
        timer->deleteLater();
        if (w != nullptr) {
            act(*w);
        }
    });
    timer->start(0);
    return timer;
}

// Runs `act` on the next popup menu; `act` must close the menu (by choosing
// an entry or not).
inline QPointer<QTimer> OnNextPopup(std::function<void(QMenu&)> act) {
    return OnNext([] { return qobject_cast<QMenu*>(QApplication::activePopupWidget()); },
                  [act](QWidget& w) { act(static_cast<QMenu&>(w)); });
}

// Hands the next modal window (a message box) to `seen`, then closes it.
inline void OnNextModal(std::function<void(QWidget&)> seen) {
    OnNext([] { return QApplication::activeModalWidget(); },
           [seen](QWidget& w) {
               seen(w);
               w.close();
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
