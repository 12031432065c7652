// Child process of the kill test: writes settings without end and appends the
// number of every write to the acknowledgement file once SaveSetting has returned.
#include <fcntl.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

#include "KillPlan.h"
#include "settings/IniSettingsStore.h"

int main(int argc, char** argv) {
    const int acks = argc == 4 ? open(argv[3], O_WRONLY | O_APPEND | O_CLOEXEC) : -1;
    if (acks < 0) {
        return 2;
    }
    padrix::IniSettingsStore store(argv[1]);
    for (long n = std::atol(argv[2]);; ++n) {
        const padrix::testing::PlannedWrite write = padrix::testing::PlanWrite(n);
        store.SaveSetting(write.section, write.key, write.value);
        const std::string ack = std::to_string(n) + "\n";
        if (!store.LastSaveReachedFile() || ::write(acks, ack.data(), ack.size()) < 0) {
            return 1;
        }
    }
}
