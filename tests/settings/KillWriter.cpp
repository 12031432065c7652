// Child process of the kill test: writes settings without end and reports the
// number of every write on stdout once SaveSetting has returned.
#include <unistd.h>

#include <cstdlib>
#include <string>

#include "KillPlan.h"
#include "settings/IniSettingsStore.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        return 2;
    }
    padrix::IniSettingsStore store(argv[1]);
    for (long n = std::atol(argv[2]);; ++n) {
        const padrix::testing::PlannedWrite write = padrix::testing::PlanWrite(n);
        store.SaveSetting(write.section, write.key, write.value);
        const std::string ack = std::to_string(n) + "\n";
        if (!store.LastSaveReachedFile() || ::write(1, ack.data(), ack.size()) < 0) {
            return 1;
        }
    }
}
