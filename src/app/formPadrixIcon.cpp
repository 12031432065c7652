#include <QCoreApplication>

#include "TrayMessage.h"
#include "formPadrix.h"

namespace padrix {

void formPadrix::Form_MouseMove(int message) {
    bool& busy = engine_.latches.BusyFlags[0];
    if (busy || unloaded_) {
        return;
    }
    busy = true;
    if (message == kTrayLeftDoubleClick) {
        StartEmulator(false);
    } else if (message == kTrayRightUp) {
        PopupMenu();
    }
    busy = false;
    ContinuousPolling();
}

void formPadrix::PopupMenu() {
    // Waits until the menu closes; a chosen entry's handler has run by then.
    menu_.menu().exec(presence_.MenuPosition());
}

void formPadrix::ContinuousPolling() {
    // One loop at a time: a message handled inside the loop returns to it.
    if (pollingLoopRunning_) {
        return;
    }
    pollingLoopRunning_ = true;
    while (engine_.options.MaxPollRate && !unloaded_) {
        if (timer_.Enabled()) {
            engine_.PollCycle();
        }
        QCoreApplication::processEvents(QEventLoop::AllEvents);
    }
    pollingLoopRunning_ = false;
}

}  // namespace padrix
