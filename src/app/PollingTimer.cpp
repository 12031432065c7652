#include "PollingTimer.h"

#include <algorithm>

namespace padrix {

PollingTimer::PollingTimer() {
    timer_.setTimerType(Qt::PreciseTimer);
    timer_.setInterval(kDefaultIntervalMs);
}

void PollingTimer::SetInterval(int milliseconds) {
    // QTimer::setInterval keeps an active timer running with the new period.
    timer_.setInterval(std::max(milliseconds, 0));
}

void PollingTimer::SetEnabled(bool enabled) {
    if (enabled && !timer_.isActive()) {
        timer_.start();
    } else if (!enabled) {
        timer_.stop();
    }
}

}  // namespace padrix
