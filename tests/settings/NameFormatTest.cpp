// The on-disk spelling of section and key names: settings files written by
// earlier versions must keep reading back the same.
#include <gtest/gtest.h>

#include "settings/NameCodec.h"

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

TEST(SettingsNameFormat, NamesAreSpelledOnDiskExactlySoAndOtherSpellingsAreNotNames) {
    for (const Spelling& s : kSpellings) {
        EXPECT_EQ(EncodeName(s.name), s.token) << s.name;
        EXPECT_EQ(DecodeName(s.token), s.name) << s.token;
    }
    for (const char* token :
         {"Final%20Fantasy", "Final Fantasy", "_41", "_2f", "a_2", "a_", "_GG", ""}) {
        EXPECT_EQ(DecodeName(token), std::nullopt) << token;
    }
}

}  // namespace
}  // namespace padrix
