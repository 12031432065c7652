#include "PollingTimer.h"

#include <algorithm>

namespace padrix {

namespace {

// Starting a running timer would put its next tick off.
void Run(QTimer& timer, bool running) {
    if (running && !timer.isActive()) {
        timer.start();
    } else if (!running) {
        timer.stop();
    }
}

}  // namespace

PollingTimer::PollingTimer() {
    timer_.setTimerType(Qt::PreciseTimer);
    timer_.setInterval(kDefaultIntervalMs);
    housekeeping_.setInterval(kHousekeepingMs);
    QObject::connect(&timer_, &QTimer::timeout, [this] { rule_.PreciseTick(); });
    QObject::connect(&housekeeping_, &QTimer::timeout, [this] { rule_.HousekeepingTick(); });
}

void PollingTimer::SetInterval(int milliseconds) {
    // QTimer::setInterval keeps an active timer running with the new period.
    timer_.setInterval(std::max(milliseconds, 0));
}

void PollingTimer::SetPrecise(bool running) {
    Run(timer_, running);
}

void PollingTimer::SetHousekeeping(bool running) {
    Run(housekeeping_, running);
}

}  // namespace padrix
