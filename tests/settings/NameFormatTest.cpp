// The on-disk spelling of section and key names: settings files written by
// earlier versions must keep reading back the same.
#include <gtest/gtest.h>

#include "TempFolder.h"
#include "settings/IniSettingsStore.h"
#include "settings/NameCodec.h"
#include "settings/Profiles.h"

namespace padrix {
namespace {

struct Spelling {
    std::string name;
    std::string token;
};

const Spelling kSpellings[] = {
    {"Final Fantasy VII", "Final_20Fantasy_20VII"},
    {"Custom", "Custom"},
    {"", "_"},
    {"v1.2-beta", "v1.2-beta"},
    {"Tekken 3: Arena", "Tekken_203_3A_20Arena"},
    {"snake_case", "snake_5Fcase"},
    {"[Game]=1;#", "_5BGame_5D_3D1_3B_23"},
    {"50% a/b\\c", "50_25_20a_2Fb_5Cc"},
    {"\xC3\x9C"
     "ber",
     "_C3_9Cber"},
    {std::string("\x00\x7F\xFF", 3), "_00_7F_FF"},
};

TEST(SettingsNameFormat, NamesAreSpelledOnDiskExactlySo) {
    for (const Spelling& s : kSpellings) {
        EXPECT_EQ(EncodeName(s.name), s.token) << s.name;
        EXPECT_EQ(DecodeName(s.token), s.name) << s.token;
    }
}

TEST(SettingsNameFormat, OtherSpellingsAreNotNames) {
    for (const char* token :
         {"Final%20Fantasy", "Final Fantasy", "_41", "_2f", "a_2", "a_", "_GG", ""}) {
        EXPECT_EQ(DecodeName(token), std::nullopt) << token;
    }
}

// A file as Padrix writes it: a profile whose name has spaces and a colon,
// its name in the list, and the Custom maps.
TEST(SettingsNameFormat, APreparedFileReadsBackItsProfiles) {
    testing::TempFolder folder;
    const std::string file = folder.Write("Padrix/Padrix.ini",
                                          "[Custom]\n"
                                          "Last=3\n"
                                          "[Custom1]\n"
                                          "0=37\n"
                                          "[Final_20Fantasy_20VII]\n"
                                          "0=65\n"
                                          "4=90\n"
                                          "[Tekken_203_3A_20Arena]\n"
                                          "4=88\n"
                                          "[Names]\n"
                                          "1=Final Fantasy VII\n"
                                          "2=Tekken 3: Arena\n");
    IniSettingsStore store(file);
    EXPECT_EQ(store.GetSetting("Final Fantasy VII", "0", ""), "65");
    EXPECT_EQ(store.GetSetting("Tekken 3: Arena", "4", ""), "88");
    EXPECT_EQ(store.GetSetting("Names", "2", ""), "Tekken 3: Arena");
    EXPECT_EQ(store.GetSetting("Custom1", "0", ""), "37");

    std::array<KeyMap, kMaxJoypads> maps{};
    LoadProfile(store, "Final Fantasy VII", maps, 1);
    EXPECT_EQ(maps[0].X, 65) << "slot 0";
    EXPECT_EQ(maps[0].B, 90) << "slot 4";

    store.SaveSetting("Final Fantasy VII", "1", "83");
    store.SaveSetting("Chrono Trigger", "0", "66");
    const std::string text = folder.Read("Padrix/Padrix.ini");
    for (const char* section : {"[Final_20Fantasy_20VII]", "[Chrono_20Trigger]"}) {
        EXPECT_NE(text.find(section), std::string::npos) << text;
    }
    EXPECT_EQ(text.find("%20"), std::string::npos) << text;
}

}  // namespace
}  // namespace padrix
