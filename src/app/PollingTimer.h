#pragma once

#include <QTimer>

#include "engine/Effects.h"

namespace padrix {

// The polling timer Timer1: a precise Qt timer whose interval the engine may
// change (mouse mode runs slower).
class PollingTimer final : public PollTimer {
  public:
    static constexpr int kDefaultIntervalMs = 1;

    PollingTimer();

    void SetInterval(int milliseconds) override;
    int Interval() const { return timer_.interval(); }

    void SetEnabled(bool enabled);
    bool Enabled() const { return timer_.isActive(); }

    // The timer's tick, to connect the polling cycle to.
    QTimer& timer() { return timer_; }

  private:
    QTimer timer_;
};

}  // namespace padrix
