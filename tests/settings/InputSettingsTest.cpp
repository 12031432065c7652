#include <gtest/gtest.h>

#include "settings/InputSettings.h"
#include "settings/MemorySettingsStore.h"

namespace padrix {
namespace {

TEST(SettingsPolling, OnlyTimerChoosesTheTimer) {
    const std::pair<const char*, PollingMode> cases[] = {
        {"timer", PollingMode::kTimer},   {"TIMER", PollingMode::kTimer},
        {"events", PollingMode::kEvents}, {"", PollingMode::kEvents},
        {"timer ", PollingMode::kEvents}, {"1", PollingMode::kEvents},
    };
    for (const auto& [text, mode] : cases) {
        MemorySettingsStore store;
        store.SaveSetting("Custom", "Polling", text);
        EXPECT_EQ(ReadPollingMode(store), mode) << '"' << text << '"';
    }
    MemorySettingsStore empty;
    EXPECT_EQ(ReadPollingMode(empty), PollingMode::kEvents);
}

TEST(SettingsDeadZone, EachJoypadHasItsOwnInItsCustomSection) {
    MemorySettingsStore store;
    const std::pair<const char*, int> cases[] = {
        {"0", 0}, {"40", 40},  {"100", 100},  {"101", 100}, {"-3", 0},
        {"", 25}, {"1e2", 25}, {"99999", 25}, {" 5", 25},
    };
    for (const auto& [text, percent] : cases) {
        store.SaveSetting("Custom3", "DeadZone", text);
        EXPECT_EQ(ReadDeadZone(store, 3), percent) << '"' << text << '"';
    }
    EXPECT_EQ(ReadDeadZone(store, 1), 25) << "absent";
    SaveDeadZone(store, 1, 12);
    SaveDeadZone(store, 8, 140);
    EXPECT_EQ(store.GetSetting("Custom", "DeadZone", ""), "12");
    EXPECT_EQ(store.GetSetting("Custom8", "DeadZone", ""), "100");
    EXPECT_EQ(ReadDeadZone(store, 1), 12);
}

}  // namespace
}  // namespace padrix
