#pragma once

#include <QObject>
#include <QSocketNotifier>
#include <array>
#include <memory>

#include "PollingTimer.h"
#include "engine/KeyboardState.h"
#include "engine/PadTables.h"

namespace padrix {

// Watches the doorbells of the opened joypads and the key events on the
// event loop. When any has news, everything is emptied first and then the
// polling timer is rung once: several doorbells ringing together make one
// run of the cycle.
class WakeSources final : public QObject {
  public:
    WakeSources(const PadTables& tables, PhysicalKeys& keys, PollingTimer& timer);
    ~WakeSources() override;

    // Follows the doorbells as the joypads have them now (a controller found
    // again has a new one).
    void AfterCycle();
    // Whether nothing needs polling: key changes come as events and every
    // joypad whose controller is there has a doorbell.
    bool CanSleep() const;
    // Stops watching, before the joypads and their doorbells go.
    void Clear();

  private:
    void Follow();
    void OnReadable();
    bool DrainAll();
    void QueueRing();

    const PadTables& tables_;
    PhysicalKeys& keys_;
    PollingTimer& timer_;
    std::array<std::unique_ptr<QSocketNotifier>, kMaxJoypads> doorbells_;
    std::unique_ptr<QSocketNotifier> keyEvents_;
    bool ringQueued_ = false;
    bool cleared_ = false;
};

}  // namespace padrix
