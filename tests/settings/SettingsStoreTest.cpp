// The naming rules every store keeps, checked on the in-memory store and on
// the INI store (re-opened from its file before each read).
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "TempFolder.h"
#include "settings/IniSettingsStore.h"
#include "settings/MemorySettingsStore.h"

namespace padrix {
namespace {

class SettingsStoreTest : public ::testing::TestWithParam<bool> {
  protected:
    // The store to write to: for the INI store a new one on the same file each time.
    SettingsStore& Writer() { return *stores_.emplace_back(Make()); }
    // A store that sees what the writer wrote.
    SettingsStore& Reader() { return GetParam() ? Writer() : *stores_.front(); }

  private:
    std::unique_ptr<SettingsStore> Make() {
        if (!GetParam()) {
            return std::make_unique<MemorySettingsStore>();
        }
        return std::make_unique<IniSettingsStore>(folder_.File("Padrix/Padrix.ini"));
    }
    testing::TempFolder folder_;
    std::vector<std::unique_ptr<SettingsStore>> stores_;
};

// Names that a window title may hold, each one its own section.
using std::string_literals::operator""s;
// clang-format off
const std::vector<std::string> kTitles = {
    "AC/DC", "a\\b", "[x]", "Custom]\n[Custom", "k=v", "100%", "\"quoted\"", "'single'",
    "line1\nline2", "cr\rlf\r\n", "Pok\u00E9mon \u2013 \u00C9dition", "\u65E5\u672C", "",
    " spaced ", "Custom/0", "/Custom/", "Custom\\0", "Custom_2F0", "General", "%General",
    ";comment", "#hash", "\t", "@Variant(x)", "nul\0in"s, "\xFF\xFE invalid", "Custom2", "_",
    "__"};
// clang-format on

TEST_P(SettingsStoreTest, AbsentKeysGiveTheDefaultAndNamesIgnoreLetterCase) {
    SettingsStore& store = Writer();
    EXPECT_EQ(Reader().GetSetting("Custom", "Select", "True"), "True");
    store.SaveSetting("Custom", "Select", "False");
    EXPECT_EQ(Reader().GetSetting("Custom", "Select", "True"), "False");
    store.SaveSetting("Names", "1", "Game");
    EXPECT_EQ(Reader().GetSetting("names", "1", ""), "Game");
    store.SaveSetting("NAMES", "1", "Other");
    store.SaveSetting("custom", "LANG", "/x");
    store.SaveSetting("\u00C9dition", "K", "1");  // Édition
    SettingsStore& reader = Reader();
    EXPECT_EQ(reader.GetSetting("Names", "1", ""), "Other");
    EXPECT_EQ(reader.GetSetting("CUSTOM", "lang", ""), "/x");
    EXPECT_EQ(reader.GetSetting("\u00E9DITION", "k", ""), "1");
    EXPECT_EQ(reader.GetSetting("Custom", "Select", ""), "False");
    EXPECT_EQ(reader.GetSetting("Custom", "Other", "x"), "x");
}

TEST_P(SettingsStoreTest, AnyTitleRoundTripsAndTouchesNothingElse) {
    SettingsStore& store = Writer();
    store.SaveSetting("Custom", "0", "74");
    for (std::size_t i = 0; i < kTitles.size(); ++i) {
        store.SaveSetting(kTitles[i], "0", std::to_string(i));
        store.SaveSetting("Values", std::to_string(i), kTitles[i]);
        store.SaveSetting("Keys", kTitles[i], std::to_string(i));
    }
    SettingsStore& reader = Reader();
    EXPECT_EQ(reader.GetSetting("Custom", "0", ""), "74");
    for (std::size_t i = 0; i < kTitles.size(); ++i) {
        const std::string& title = kTitles[i];
        EXPECT_EQ(reader.GetSetting(title, "0", "-"), std::to_string(i)) << title;
        EXPECT_EQ(reader.GetSetting("Values", std::to_string(i), "-"), title) << title;
        EXPECT_EQ(reader.GetSetting("Keys", title, "-"), std::to_string(i)) << title;
    }
}

INSTANTIATE_TEST_SUITE_P(Settings, SettingsStoreTest, ::testing::Bool(),
                         [](const auto& info) { return info.param ? "Ini" : "Memory"; });

}  // namespace
}  // namespace padrix
