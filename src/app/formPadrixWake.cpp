#include "formPadrix.h"
#include "settings/InputSettings.h"

namespace padrix {

void formPadrix::StartWaking() {
    PadTables& tables = engine_.tables;
    for (int n = 1; n <= tables.joypadCount; ++n) {
        if (const auto& pad = tables.joypadDevices[static_cast<std::size_t>(n - 1)]) {
            pad->SetDeadZone(ReadDeadZone(ports_.settings, n));
        }
    }
    timer_.SetMode(ReadPollingMode(ports_.settings));
    wake_.AfterCycle();
}

void formPadrix::StopWaking() {
    wake_.Clear();
}

}  // namespace padrix
