#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include "TempFolder.h"
#include "settings/InterfaceLanguage.h"
#include "settings/LanguageChoice.h"
#include "settings/LanguageFile.h"
#include "settings/LanguageForms.h"
#include "settings/LanguageList.h"
#include "settings/MemorySettingsStore.h"
#include "settings/MessagesLocale.h"

namespace padrix {
namespace {

using Texts = std::vector<std::string>;
using testing::TempFolder;

TEST(SettingsLanguageTest, LinesTrimsAndEncodings) {
    const struct {
        std::string bytes;
        Texts texts;
    } table[] = {
        {"", {}},
        {"a\n\n   \nb\n", {"a", "b"}},
        {"   Enabled   \n", {"Enabled"}},
        {"a\rb\rc", {"a", "b", "c"}},
        {"a\nb\nc\n", {"a", "b", "c"}},
        {"a\r\nb\nc\r\rd\n\re", {"a", "b", "c", "d", "e"}},
        {"\tx \t", {"\tx \t"}},
        {"Caf\xE9\n\x80uro\n\x81", {"Caf\xC3\xA9", "\xE2\x82\xACuro", "\xC2\x81"}},  // 1252
        {"Caf\xC3\xA9", {"Caf\xC3\xA9"}},
        {"\xEF\xBB\xBFStart\n", {"Start"}},
        {std::string("a\0b", 3), {std::string("a\0b", 3)}},
        {"\xC3\x28 half\n", {"\xC3\x83( half"}},
    };
    for (const auto& row : table) {
        EXPECT_EQ(ParseLanguageTexts(row.bytes, 28), row.texts) << row.bytes;
    }
}

TEST(SettingsLanguageTest, ReadingIsBounded) {
    std::string lines;
    for (int i = 0; i < 80; ++i) {
        lines += "line " + std::to_string(i) + "\n";
    }
    for (auto [lastId, count] : {std::pair(18, 19), {100, kLanguageTextIds}, {-1, 0}}) {
        EXPECT_EQ(ParseLanguageTexts(lines, lastId).size(), std::size_t(count)) << lastId;
    }
    EXPECT_EQ(ParseLanguageTexts(std::string(10000, 'x'), 0), Texts{std::string(4096, 'x')});
    std::string accents;
    for (int i = 0; i < 3000; ++i) {
        accents += "\xC3\xA9";
    }
    const Texts cut = ParseLanguageTexts(accents, 0);
    ASSERT_EQ(cut.size(), 1u);
    EXPECT_EQ(cut[0].size(), 4096u) << "no character is split";
    EXPECT_EQ(cut[0].substr(4094), "\xC3\xA9");

    // Past 1 MiB nothing is read; a character split by that bound does not
    // turn a UTF-8 file into Windows-1252.
    TempFolder folder;
    const std::string big =
        "\xC3\xA9\n" + std::string(kMaxLanguageFileBytes - 4, '\n') + "\xC3\xA9 late\n";
    EXPECT_EQ(ReadLanguageFile(folder.Write("big.txt", big), 28), Texts{"\xC3\xA9"});
}

TEST(SettingsLanguageTest, EachFormTakesItsOwnIdsFromAFileOfOneByteOrMore) {
    TempFolder folder;
    std::string nineteen = "\n  \n";
    for (int id = 0; id < 19; ++id) {
        nineteen += "  T" + std::to_string(id) + "  \r\n\r\n";
    }
    const std::string file = folder.Write("Padrix_Test.txt", nineteen);
    const struct {
        LanguageForm form;
        std::vector<int> changed;
    } table[] = {
        {kMainFormTexts, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18}},
        {kConfigDialogTexts, {1, 17, 18}},
        {kForceFeedbackTexts, {3}},
    };
    for (const auto& row : table) {
        LanguageTexts texts;
        texts.fill("old");
        EXPECT_EQ(ApplyLanguageFile(file, row.form, texts), int(row.changed.size()));
        for (int id = 0; id < kLanguageTextIds; ++id) {
            const bool changed =
                std::find(row.changed.begin(), row.changed.end(), id) != row.changed.end();
            EXPECT_EQ(texts[id], changed ? "T" + std::to_string(id) : "old") << id;
        }
    }
    LanguageTexts texts;
    texts.fill("old");
    std::filesystem::create_directory(folder.File("Padrix_Folder.txt"));
    for (const std::string& path :
         {folder.Write("Padrix_Empty.txt", ""), folder.File("Padrix_Folder.txt"),
          folder.File("none"), std::string()}) {
        EXPECT_FALSE(FileExists(path)) << path;
        EXPECT_EQ(ApplyLanguageFile(path, kMainFormTexts, texts), 0) << path;
    }
    EXPECT_EQ(texts[0], "old");
    EXPECT_TRUE(FileExists(folder.Write("one.txt", "x")));
}

TEST(SettingsLanguageTest, ListingAndChoosingTheLanguageFiles) {
    TempFolder program;
    TempFolder installed;
    for (const char* name : {"Padrix_Deutsch.txt", "padrix_Fran\u00E7ais.TXT", "Padrix_.txt",
                             "Padrix_x.txt.bak", "Other.txt", "Padrix.txt", "xPadrix_y.txt"}) {
        program.Write(name, "x");
    }
    std::filesystem::create_directory(program.File("Padrix_Folder.txt"));
    installed.Write("Padrix_Deutsch.txt", "x");
    installed.Write("Padrix_Zulu.txt", "x");
    const std::vector<LanguageFileEntry> expected = {
        {"", program.File("Padrix_.txt")},
        {"Deutsch", program.File("Padrix_Deutsch.txt")},
        {"Fran\u00E7ais", program.File("padrix_Fran\u00E7ais.TXT")},
        {"Zulu", installed.File("Padrix_Zulu.txt")},
    };
    const auto entries =
        ListLanguageFiles({program.Path(), installed.Path(), program.File("missing")});
    EXPECT_EQ(entries, expected);
    EXPECT_EQ(FindStoredLanguage(entries, program.File("Padrix_Deutsch.txt")), 1u);
    EXPECT_EQ(FindStoredLanguage(entries, program.File("Padrix_Deutsch.TXT")), std::nullopt);
    EXPECT_EQ(LanguageFolders(program.Path()).front(), program.Path());

    MemorySettingsStore store;
    EXPECT_TRUE(ChooseLanguage(store, "/opt/padrix/Padrix_Deutsch.txt"));
    EXPECT_EQ(StoredLanguagePath(store), "/opt/padrix/Padrix_Deutsch.txt");
    EXPECT_FALSE(ChooseLanguage(store, "/opt/padrix/Padrix_Deutsch.txt"));
    // Another file on a file system that tells letter cases apart.
    EXPECT_TRUE(ChooseLanguage(store, "/opt/padrix/padrix_deutsch.txt"));
    EXPECT_EQ(store.GetSetting("custom", "lang", ""), "/opt/padrix/padrix_deutsch.txt");
}

// The shipped languages, and which one each desktop locale gets.
TEST(SettingsLanguageTest, TheStoredChoiceWinsElseTheDesktopLocaleChooses) {
    TempFolder folder;
    const std::vector<std::string> names = {"Deutsch", "English", "Espa\u00F1ol", "Fran\u00E7ais"};
    for (const std::string& name : names) {
        folder.Write("Padrix_" + name + ".txt", "x");
    }
    const auto files = ListLanguageFiles({folder.Path()});
    const auto path = [&folder](const std::string& name) {
        return name.empty() ? name : folder.File("Padrix_" + name + ".txt");
    };
    const std::vector<LanguageFileEntry> withoutEnglish = {files[0], files[2]};
    const std::string gone = folder.File("Padrix_Italiano.txt");
    const struct {
        std::string locale;
        std::string stored;
        const std::vector<LanguageFileEntry>& files;
        std::string chosen;
    } table[] = {
        {"de_DE.UTF-8", "", files, "Deutsch"},
        {"fr_CA", "", files, "Fran\u00E7ais"},  // "français canadien" is French too
        {"es_MX", "", files, "Espa\u00F1ol"},
        {"en_US", "", files, "English"},  // "American English" is English
        {"C", "", files, "English"},
        {"POSIX", "", files, "English"},
        {"", "", files, "English"},  // no locale set
        {"pt_BR", "", files, "English"},
        {"pt_BR", "", withoutEnglish, ""},  // the built-in texts
        {"C.UTF-8", "", withoutEnglish, ""},
        {"de_AT@euro", "", withoutEnglish, "Deutsch"},
        {"de_DE.UTF-8", path("Fran\u00E7ais"), files, "Fran\u00E7ais"},
        {"C", path("Espa\u00F1ol"), withoutEnglish, "Espa\u00F1ol"},
        {"de_DE.UTF-8", gone, files, "Deutsch"},
        {"C", gone, files, "English"},
    };
    for (const auto& row : table) {
        EXPECT_EQ(EffectiveLanguagePath(row.stored, row.files, row.locale), path(row.chosen))
            << row.locale << " " << row.stored;
    }
    // Letter case does not count, in any alphabet.
    const std::vector<LanguageFileEntry> capitals = {{"FRAN\u00C7AIS", "/l/f"},
                                                     {"deutsch", "/l/d"}};
    EXPECT_EQ(EffectiveLanguagePath("", capitals, "fr_FR"), "/l/f");
    EXPECT_EQ(EffectiveLanguagePath("", capitals, "de_CH"), "/l/d");

    // Only the user's choice is stored.
    MemorySettingsStore store;
    InterfaceLanguage language(store, {folder.Path()}, "es_MX.UTF-8");
    EXPECT_EQ(language.Path(), path("Espa\u00F1ol"));
    EXPECT_EQ(StoredLanguagePath(store), "");
    EXPECT_TRUE(language.Choose(path("Deutsch")));
    EXPECT_EQ(language.Path(), path("Deutsch"));
    EXPECT_EQ(StoredLanguagePath(store), path("Deutsch"));
}

// LC_ALL before LC_MESSAGES before LANG; an empty one counts as not set.
TEST(SettingsLanguageTest, TheMessagesLocaleComesFromTheFirstVariableSet) {
    using Env = std::map<std::string, std::string>;
    const std::pair<Env, std::string> table[] = {
        {{}, ""},
        {{{"LANG", "de_DE.UTF-8"}}, "de_DE.UTF-8"},
        {{{"LANG", "de_DE.UTF-8"}, {"LC_MESSAGES", "fr_CA"}}, "fr_CA"},
        {{{"LANG", "de_DE"}, {"LC_MESSAGES", "fr_CA"}, {"LC_ALL", "C"}}, "C"},
        {{{"LANG", "de_DE"}, {"LC_MESSAGES", ""}, {"LC_ALL", ""}}, "de_DE"},
        {{{"LC_CTYPE", "es_MX"}, {"LANGUAGE", "es"}}, ""},
    };
    for (const auto& [env, locale] : table) {
        EXPECT_EQ(MessagesLocale([&env](const char* name) {
                      const auto it = env.find(name);
                      return it != env.end() ? it->second : std::string();
                  }),
                  locale);
    }
}

}  // namespace
}  // namespace padrix
