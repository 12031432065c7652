#include "WakeSources.h"

#include <QAbstractEventDispatcher>
#include <QThread>

namespace padrix {

WakeSources::WakeSources(const PadTables& tables, PhysicalKeys& keys, PollingTimer& timer)
    : tables_(tables), keys_(keys), timer_(timer) {
    if (keys_.EventFd() >= 0) {
        keyEvents_ = std::make_unique<QSocketNotifier>(keys_.EventFd(), QSocketNotifier::Read);
        connect(keyEvents_.get(), &QSocketNotifier::activated, this, &WakeSources::OnReadable);
    }
    // Replies to other requests (also during a cycle) may bring key events
    // along, read off the connection where no notifier sees them: look
    // before the loop sleeps.
    if (auto* dispatcher = QAbstractEventDispatcher::instance(QThread::currentThread())) {
        connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, this, [this] {
            if (!cleared_ && keys_.TakeQueuedEvents()) {
                QueueRing();
            }
        });
    }
}

WakeSources::~WakeSources() = default;

void WakeSources::AfterCycle() {
    Follow();
}

bool WakeSources::CanSleep() const {
    if (keys_.EventFd() < 0) {
        return false;
    }
    for (const auto& pad : tables_.joypadDevices) {
        if (pad && pad->Present() && pad->DoorbellFd() < 0) {
            return false;
        }
    }
    return true;
}

void WakeSources::Clear() {
    cleared_ = true;
    for (auto& doorbell : doorbells_) {
        doorbell.reset();
    }
    keyEvents_.reset();
}

void WakeSources::Follow() {
    if (cleared_) {
        return;
    }
    for (std::size_t i = 0; i < doorbells_.size(); ++i) {
        const auto& pad = tables_.joypadDevices[i];
        const int fd = pad ? pad->DoorbellFd() : -1;
        auto& watched = doorbells_[i];
        if (watched && watched->socket() == fd) {
            continue;
        }
        watched.reset();
        if (fd >= 0) {
            watched = std::make_unique<QSocketNotifier>(fd, QSocketNotifier::Read);
            connect(watched.get(), &QSocketNotifier::activated, this, &WakeSources::OnReadable);
        }
    }
}

void WakeSources::OnReadable() {
    const bool news = DrainAll();
    Follow();  // a doorbell whose device went away has closed
    if (news) {
        timer_.Ring();
    }
}

bool WakeSources::DrainAll() {
    bool news = keys_.TakeEvents();
    for (const auto& pad : tables_.joypadDevices) {
        if (pad && pad->DoorbellFd() >= 0) {
            news = pad->DrainDoorbell() || news;
        }
    }
    return news;
}

void WakeSources::QueueRing() {
    if (ringQueued_) {
        return;
    }
    ringQueued_ = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            ringQueued_ = false;
            timer_.Ring();
        },
        Qt::QueuedConnection);
}

}  // namespace padrix
