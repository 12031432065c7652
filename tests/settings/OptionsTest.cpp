#include <gtest/gtest.h>

#include "settings/MemorySettingsStore.h"
#include "settings/OptionKeys.h"
#include "settings/StoredOptions.h"
#include "settings/TypedSettings.h"

namespace padrix {
namespace {

TEST(SettingsOptionsTest, AnEmptyStoreGivesEveryDefault) {
    const struct {
        const char* joypad1;
        bool select, logitech;
    } table[] = {
        {"", true, false},
        {"Microsoft SideWinder Game Pad Pro", false, false},
        {"sidewinder", false, false},
        {"SIDEWINDER USB", false, false},
        {"Logitech WingMan RumblePad", true, true},
        {"LOGITECH", true, true},
        {"logitech sideWinder", false, true},
        {"Generic \xFF pad", true, false},
    };
    MemorySettingsStore store;
    for (const auto& row : table) {
        SCOPED_TRACE(row.joypad1);
        StoredOptions options;
        ReadStoredOptions(store, row.joypad1, options);
        EXPECT_EQ(options.Select, row.select);
        EXPECT_EQ(options.Logitech, row.logitech);
        EXPECT_TRUE(options.AutoFire && options.VGSStartUp && options.Autodetect);
        EXPECT_FALSE(options.DOS || options.MaxPollRate);
        EXPECT_EQ(options.RumbleType, 2);
        EXPECT_EQ(options.Joypads, "11111111");
        EXPECT_EQ(options.Last, "2");
    }
}

TEST(SettingsOptionsTest, StoredTextsThatDoNotConvertLeaveTheOption) {
    MemorySettingsStore store;
    store.SaveSetting("custom", "select", "");
    store.SaveSetting("Custom", "AutoFire", "maybe");
    store.SaveSetting("Custom", "RumbleType", "70000");
    store.SaveSetting("Custom", "Autodetect", "0");
    store.SaveSetting("Custom", "DOS", "-1");
    store.SaveSetting("Custom", "MaxPollRate", "tRUE");
    store.SaveSetting("Custom", "Last", "1 ");
    StoredOptions options;  // the menu's state before reading
    ReadStoredOptions(store, "", options);
    EXPECT_FALSE(options.Select);
    EXPECT_FALSE(options.AutoFire);
    EXPECT_EQ(options.RumbleType, 0);
    EXPECT_FALSE(options.Autodetect);
    EXPECT_TRUE(options.DOS);
    EXPECT_TRUE(options.MaxPollRate);
    EXPECT_EQ(options.Last, "1 ");
}

TEST(SettingsOptionsTest, TogglingTwiceLeavesTheExactText) {
    MemorySettingsStore store;
    for (const bool start : {true, false}) {
        SaveBoolean(store, kOptionSection, kKeyAutoFire, start);
        const std::string before = store.GetSetting("Custom", "AutoFire", "");
        EXPECT_EQ(before, start ? "True" : "False");
        bool value = start;
        for (int toggle = 0; toggle < 2; ++toggle) {
            ReadBoolean(store, kOptionSection, kKeyAutoFire, true, value);
            SaveBoolean(store, kOptionSection, kKeyAutoFire, !value);
        }
        EXPECT_EQ(store.GetSetting("Custom", "AutoFire", ""), before);
    }
}

}  // namespace
}  // namespace padrix
