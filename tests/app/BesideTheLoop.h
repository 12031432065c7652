#pragma once

#include <QEventLoop>
#include <QMetaObject>
#include <future>

namespace padrix::testing {

// Runs `work` on a thread of its own while this thread's event loop, where
// a server answers, runs until the work is done.
template <typename Work>
auto BesideTheLoop(Work work) {
    QEventLoop loop;
    auto result = std::async(std::launch::async, [&] {
        auto value = work();
        QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
        return value;
    });
    loop.exec();
    return result.get();
}

}  // namespace padrix::testing
