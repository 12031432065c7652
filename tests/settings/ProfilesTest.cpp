#include <gtest/gtest.h>

#include "settings/MemorySettingsStore.h"
#include "settings/ProfileNames.h"
#include "settings/Profiles.h"

namespace padrix {
namespace {

using Maps = std::array<KeyMap, kMaxJoypads>;

// In KeyMap's field order: Left Down Right Up = A S D W, A B C = K L 0, Z = 2,
// L = 1, X = J, R = 9, Y = I, Select = B, Start = N, Extra = F1 to F11.
const KeyMap kDefaultMap{65, 83, 68, 87, 75,
                         76, 48, 50, 49, 74,
                         57, 73, 66, 78, {112, 113, 114, 115, 116, 117, 118, 119, 120, 121, 122}};

TEST(SettingsProfilesTest, EachJoypadFoundReadsItsSectionOrTheDefaults) {
    MemorySettingsStore store;
    Maps maps{};
    for (KeyMap& map : maps) {
        map.EscapeKey = 27;
    }
    LoadProfile(store, "Custom", maps, 3);
    KeyMap expected = kDefaultMap;
    expected.EscapeKey = 27;  // not part of a profile
    for (int joy = 0; joy < 3; ++joy) {
        EXPECT_EQ(maps[joy], expected) << "joypad " << joy + 1;
    }
    EXPECT_EQ(maps[3].X, 0) << "joypads beyond the count are not read";

    store.SaveSetting("Custom2", "0", "1");
    store.SaveSetting("custom3", "24", "200");
    store.SaveSetting("Game", "6", "38");
    LoadProfile(store, "Custom", maps, 3);
    EXPECT_EQ(maps[0].X, 74);
    EXPECT_EQ(maps[1].X, 1);
    EXPECT_EQ(maps[2].Extra[10], 200);
    LoadProfile(store, "Game", maps, 2);
    EXPECT_EQ(maps[0].Up, 38);
    EXPECT_EQ(maps[1].X, 74) << "\"Game2\" is absent: defaults";

    maps = {};
    LoadProfile(store, "Custom", maps, 9);
    EXPECT_EQ(maps[7], kDefaultMap) << "at most eight joypads";
    maps = {};
    LoadProfile(store, "Custom", maps, -1);
    EXPECT_EQ(maps[0], KeyMap{});
}

TEST(SettingsProfilesTest, AValueThatIsNotAKeyCodeKeepsTheEntry) {
    for (const char* text : {"300", "abc", "-1", "", "256", " 75", "7.5"}) {
        MemorySettingsStore store;
        store.SaveSetting("Custom", "3", text);   // A
        store.SaveSetting("Custom", "14", text);  // Extra1
        store.SaveSetting("Custom", "4", "0");    // B
        Maps maps{};
        maps[0].A = 99;
        maps[0].Extra[0] = 98;
        LoadProfile(store, "Custom", maps, 1);
        EXPECT_EQ(maps[0].A, 99) << text;
        EXPECT_EQ(maps[0].Extra[0], 98) << text;
        EXPECT_EQ(maps[0].B, 0) << text;
    }
}

// The configuration dialog's side: its values go to the joypad's own section.
TEST(SettingsProfilesTest, ConfigValuesGoToTheJoypadsCustomSection) {
    SlotTags tags;
    for (int slot = 0; slot < kDialogSlots; ++slot) {
        tags[slot] = slot < kShownSlots && slot != 2 ? std::to_string(60 + slot) : "";
    }
    MemorySettingsStore store;
    for (auto [joy, section] : {std::pair(1, "Custom"), {2, "Custom2"}, {0, "Custom"}}) {
        store.SaveSetting(section, "23", "was here");
        StoreConfigValues(store, joy, tags);
        const auto stored = [&](const char* key) { return store.GetSetting(section, key, "-"); };
        EXPECT_EQ(std::vector({stored("0"), stored("2"), stored("23"), stored("24")}),
                  std::vector<std::string>({"60", "", "", "-"}))
            << joy;
    }
    Maps maps{};
    maps[1].Z = 5;
    TakeConfigValues(tags, 2, maps);
    EXPECT_EQ(std::vector({maps[1].X, maps[1].Select, maps[1].Z}),
              std::vector<std::uint8_t>({60, 73, 5}))
        << "an empty tag keeps the key";
    const Maps before = maps;
    TakeConfigValues(tags, 9, maps);
    TakeConfigValues(tags, 0, maps);
    EXPECT_EQ(maps, before);
}

TEST(SettingsProfilesTest, SavingANamedProfile) {
    SlotTags tags;
    tags.fill("65");
    const struct {
        const char* typed;
        std::optional<std::string> section;
        std::vector<std::string> namesAfter;
    } steps[] = {
        {"", std::nullopt, {}},
        {"   ", std::nullopt, {}},
        {"Custom", std::nullopt, {}},
        {"custom", "Custom", {}},
        {"  Super Game  ", "Super Game", {"Super Game"}},
        {"SUPER game", "Super Game", {"Super Game"}},
        {"Other/Game", "Other/Game", {"Super Game", "Other/Game"}},
    };
    MemorySettingsStore store;
    for (const auto& step : steps) {
        std::vector<std::string> listed{"Custom"};
        for (const std::string& name : ListProfileNames(store)) {
            listed.push_back(name);
        }
        EXPECT_EQ(SaveNamedProfile(store, listed, step.typed, tags), step.section) << step.typed;
        EXPECT_EQ(ListProfileNames(store), step.namesAfter) << step.typed;
        if (step.section) {
            EXPECT_EQ(store.GetSetting(*step.section, "23", ""), "65");
        }
    }
    EXPECT_EQ(store.GetSetting("Custom", "0", ""), "65") << "\"custom\" wrote joypad 1's map";
    EXPECT_EQ(store.GetSetting("Names", "2", ""), "Other/Game");
}

TEST(SettingsProfilesTest, NameListReadersAndAGap) {
    MemorySettingsStore store;
    store.SaveSetting("Names", "1", "First");
    store.SaveSetting("Names", "3", "Third");
    EXPECT_EQ(ListProfileNames(store), (std::vector<std::string>{"First", "Third"}));
    EXPECT_EQ(AutodetectProfileNames(store), std::vector<std::string>{"First"});
    EXPECT_EQ(AddProfileName(store, "New"), 2);  // fills the gap, "Third" stays
    EXPECT_EQ(ListProfileNames(store), (std::vector<std::string>{"First", "New", "Third"}));
    EXPECT_EQ(AutodetectProfileNames(store), ListProfileNames(store));

    for (int key = 4; key <= 33; ++key) {
        store.SaveSetting("names", std::to_string(key), "N" + std::to_string(key));
    }
    EXPECT_EQ(ListProfileNames(store).size(), 32u);
    EXPECT_EQ(AutodetectProfileNames(store).back(), "N32");
    EXPECT_EQ(AddProfileName(store, "Late"), 34);
    EXPECT_EQ(ListProfileNames(store).size(), 32u);
}

TEST(SettingsProfilesTest, ProfileSelectionAndTheGravisFlag) {
    MemorySettingsStore store;
    store.SaveSetting("Game", "0", "90");
    store.SaveSetting("Game", "20", "");
    SlotTags tags;
    tags.fill("7");
    ReadProfileTags(store, "game", tags);
    EXPECT_EQ(std::vector({tags[0], tags[20], tags[1]}), std::vector<std::string>({"90", "", "7"}))
        << "absent keys leave their tag";
    EXPECT_EQ(ReadGravis(store, "Game"), false);
    const std::pair<const char*, std::optional<bool>> table[] = {
        {"1", true},          {"0", false},       {"01", true},         {"2", std::nullopt},
        {"-1", std::nullopt}, {"", std::nullopt}, {"yes", std::nullopt}};
    for (const auto& [text, expected] : table) {
        store.SaveSetting("Game", "Gravis", text);
        EXPECT_EQ(ReadGravis(store, "Game"), expected) << text;
    }
    for (bool gravis : {true, false}) {
        SaveGravis(store, "Game", gravis);
        EXPECT_EQ(store.GetSetting("Game", "Gravis", ""), gravis ? "1" : "0");
    }
}

}  // namespace
}  // namespace padrix
