#include <QCoreApplication>

#include "TrayApplication.h"
#include "TrayMessage.h"

namespace padrix {

void TrayApplication::OnIconMessage(int message) {
    if (iconBusy_ || unloaded_) {
        return;
    }
    iconBusy_ = true;
    if (message == kTrayLeftDoubleClick) {
        StartEmulator(false);
    } else if (message == kTrayRightUp) {
        PopupMenu();
    }
    iconBusy_ = false;
    ContinuousPolling();
}

void TrayApplication::PopupMenu() {
    // A window manager may have started or ended since.
    RefreshFollowEntry();
    UpdateFollowing();
    // Waits until the menu closes; a chosen entry's handler has run by then.
    menu_.menu().exec(presence_.MenuPosition());
}

void TrayApplication::ContinuousPolling() {
    // One loop at a time: a message handled inside the loop returns to it.
    if (pollingLoopRunning_) {
        return;
    }
    pollingLoopRunning_ = true;
    while (session_.options().MaxPollRate && !unloaded_) {
        if (timer_.Enabled()) {
            session_.engine().PollCycle();
        }
        QCoreApplication::processEvents(QEventLoop::AllEvents);
    }
    pollingLoopRunning_ = false;
}

}  // namespace padrix
