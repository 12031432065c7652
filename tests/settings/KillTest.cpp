// A writer process killed at random moments never leaves a damaged store nor
// loses a write that had returned.
#include <gtest/gtest.h>
#include <signal.h>

#include <QSettings>
#include <algorithm>
#include <map>
#include <random>

#include "Child.h"
#include "KillPlan.h"
#include "TempFolder.h"
#include "settings/IniSettingsStore.h"

namespace padrix::testing {
namespace {

using Model = std::map<std::pair<std::string, std::string>, std::string>;

// Checks the store against every returned write; the write in flight may or
// may not have landed, and the model learns which.
void Verify(const std::string& file, Model& model, const PlannedWrite& inFlight) {
    QSettings raw(QString::fromStdString(file), QSettings::IniFormat);
    raw.sync();
    ASSERT_EQ(raw.status(), QSettings::NoError);
    IniSettingsStore store(file);
    for (auto& [address, expected] : model) {
        const std::string actual = store.GetSetting(address.first, address.second, "<absent>");
        if (address == std::pair(inFlight.section, inFlight.key) && actual == inFlight.value) {
            expected = actual;
        }
        ASSERT_EQ(actual, expected) << address.first << "/" << address.second;
    }
}

TEST(SettingsKillTest, KilledWriterLeavesEveryReturnedWrite) {
    TempFolder folder;
    const std::string file = folder.File("config/Padrix/Padrix.ini");
    const auto acknowledged = [&folder] {
        const std::string acks = folder.Read("acks");
        return static_cast<long>(std::count(acks.begin(), acks.end(), '\n'));
    };
    std::mt19937 random(4711);
    Model model;
    long next = 0;
    for (int round = 0; round < 300; ++round) {
        folder.Write("acks", "");
        Child writer({PADRIX_KILL_WRITER, file, std::to_string(next), folder.File("acks")});
        const long wanted = std::uniform_int_distribution(1, 6)(random);
        ASSERT_TRUE(WaitUntil([&] { return acknowledged() >= wanted; }, 20000)) << round;
        // Lets the child get somewhere into its next write before the kill.
        for (volatile int spin = std::uniform_int_distribution(0, 300000)(random); spin > 0;) {
            spin = spin - 1;
        }
        kill(writer.pid(), SIGKILL);
        ASSERT_TRUE(writer.WaitExit(20000));
        const long last = next + acknowledged() - 1;
        for (long n = next; n <= last; ++n) {
            const PlannedWrite write = PlanWrite(n);
            model[{write.section, write.key}] = write.value;
        }
        ASSERT_NO_FATAL_FAILURE(Verify(file, model, PlanWrite(last + 1))) << "round " << round;
        next = last + 2;
    }
}

}  // namespace
}  // namespace padrix::testing
