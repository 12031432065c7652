// The INI store against real files: first spellings, damaged and unwritable
// files, files edited by hand and a lock left behind.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <unistd.h>

#include <filesystem>
#include <random>

#include "TempFolder.h"
#include "settings/AbandonedLock.h"
#include "settings/IniSettingsStore.h"
#include "settings/SettingsPath.h"

namespace padrix {
namespace {

using testing::TempFolder;

TEST(SettingsIniFileTest, DamagedFilesGiveWhatIsReadableAndKeepItOnTheNextWrite) {
    std::string noise(4096, '\0');
    std::mt19937 random(7);
    for (char& c : noise) {
        c = static_cast<char>(random());
    }
    const std::string good = "[Custom]\nSelect=False\n";
    const std::string files[] = {
        std::string("\0\x01\xFF\xFE garbage\n", 13) + good + "[Keep]\nk=v\n",
        good + "no equals sign\n[unterminated\n[Keep]\nk=v\n",
        "[Keep]\nk=v\n" + good + std::string(200000, 'x'),
        "[Keep]\r\nk=v\r\n" + good + "\xC3\x28=bad\r\n",
        "[Keep]\nk=v\n" + good + noise,
        good + "[Keep]\nk=v\n[Other]\nq=\"unterminated\n",
    };
    for (const std::string& bytes : files) {
        SCOPED_TRACE(bytes.substr(0, 40));
        TempFolder folder;
        const std::string file = folder.Write("Padrix.ini", bytes);
        {
            IniSettingsStore store(file);
            EXPECT_EQ(store.GetSetting("Custom", "Select", "True"), "False");
            store.SaveSetting("Custom", "DOS", "True");
            EXPECT_TRUE(store.LastSaveReachedFile());
        }
        IniSettingsStore reopened(file);
        EXPECT_EQ(reopened.GetSetting("Custom", "Select", "True"), "False");
        EXPECT_EQ(reopened.GetSetting("Custom", "DOS", ""), "True");
        EXPECT_EQ(reopened.GetSetting("Keep", "k", ""), "v");
    }
}

TEST(SettingsIniFileTest, AFailedWriteIsReportedKeptAndRetried) {
    TempFolder folder;
    const std::string file = folder.File("Padrix.ini");
    std::filesystem::create_directory(file);  // a folder where the file should be
    IniSettingsStore store(file);
    store.SaveSetting("Custom", "Last", "3");
    EXPECT_FALSE(store.LastSaveReachedFile());
    EXPECT_EQ(store.GetSetting("Custom", "Last", "2"), "3");

    std::filesystem::remove(file);
    store.SaveSetting("Custom", "DOS", "True");
    EXPECT_TRUE(store.LastSaveReachedFile());
    IniSettingsStore reopened(file);
    EXPECT_EQ(reopened.GetSetting("Custom", "Last", "2"), "3");
    EXPECT_EQ(reopened.GetSetting("Custom", "DOS", ""), "True");
}

// The first spelling of a section stays, also one written by hand; names are
// read and written in the encoding earlier versions used.
TEST(SettingsIniFileTest, CreatesItsFolderAndUpdatesHandEditedNamesInPlace) {
    TempFolder folder;
    const std::string file = folder.Write(
        "a/Padrix.ini",
        "[My%20Game]\n0=65\n[custom]\nlang=/x\nlist=a,b\n[Tekken_203_3A_20Arena]\n4=88\n");
    {
        IniSettingsStore store(file);
        EXPECT_EQ(store.GetSetting("my game", "0", ""), "65");
        EXPECT_EQ(store.GetSetting("Custom", "List", ""), "a,b");
        EXPECT_EQ(store.GetSetting("Tekken 3: Arena", "4", ""), "88");
        store.SaveSetting("My Game", "0", "66");
        store.SaveSetting("CUSTOM", "LANG", "/y");
        store.SaveSetting("Names", "1", "Game");
        store.SaveSetting("names", "2", "Tekken 3: Arena");
        store.SaveSetting("Chrono Trigger", "0", "66");
        IniSettingsStore elsewhere(folder.File("b/c/Padrix.ini"));
        elsewhere.SaveSetting("Custom", "Last", "1");
        EXPECT_TRUE(elsewhere.LastSaveReachedFile());
    }
    IniSettingsStore reopened(file);
    EXPECT_EQ(reopened.GetSetting("My Game", "0", ""), "66");
    EXPECT_EQ(reopened.GetSetting("Custom", "Lang", ""), "/y");
    EXPECT_EQ(reopened.GetSetting("NAMES", "2", ""), "Tekken 3: Arena");
    const std::string text = folder.Read("a/Padrix.ini");
    for (const char* gone : {"[My_20Game]", "[CUSTOM]", "[names]", "Chrono%20"}) {
        EXPECT_EQ(text.find(gone), std::string::npos) << text;
    }
    for (const char* kept : {"[Names]", "[Chrono_20Trigger]", "[Tekken_203_3A_20Arena]"}) {
        EXPECT_NE(text.find(kept), std::string::npos) << text;
    }
}

TEST(SettingsIniFileTest, AnEmptyLockFileLeftByAKilledWriterDoesNotBlock) {
    TempFolder folder;
    const std::string file = folder.Write("Padrix.ini", "[Custom]\nLast=1\n");
    folder.Write("Padrix.ini.lock", "");
    IniSettingsStore store(file);
    store.SaveSetting("Custom", "Last", "3");
    EXPECT_TRUE(store.LastSaveReachedFile());
    EXPECT_EQ(IniSettingsStore(file).GetSetting("Custom", "Last", ""), "3");
}

// A live writer locks its lock file natively before it writes its name into it.
TEST(SettingsIniFileTest, OnlyEmptyLockFilesThatNobodyHoldsAreRemoved) {
    const struct {
        const char* content;
        bool heldByAWriter;
        bool removed;
    } cases[] = {
        {"", false, true},
        {"", true, false},
        {"4242\nPadrix\nhost\n", false, false},
    };
    for (const auto& c : cases) {
        TempFolder folder;
        const std::string lock = folder.Write("Padrix.ini.lock", c.content);
        const int writer = ::open(lock.c_str(), O_RDONLY | O_CLOEXEC);
        ASSERT_GE(writer, 0);
        if (c.heldByAWriter) {
            ASSERT_EQ(::flock(writer, LOCK_EX | LOCK_NB), 0);
        }
        RemoveAbandonedLock(folder.File("Padrix.ini"));
        ::close(writer);
        EXPECT_EQ(!std::filesystem::exists(lock), c.removed) << c.content << c.heldByAWriter;
    }
}

TEST(SettingsIniFileTest, PathFollowsXdgConfigHome) {
    const std::pair<const char*, const char*> table[] = {
        {"/xdg", "/xdg/Padrix/Padrix.ini"},
        {"/xdg//", "/xdg/Padrix/Padrix.ini"},
        {"", "/home/u/.config/Padrix/Padrix.ini"},
        {"relative/dir", "/home/u/.config/Padrix/Padrix.ini"},
        {"/", "/Padrix/Padrix.ini"},
    };
    for (auto [xdg, expected] : table) {
        EXPECT_EQ(SettingsPathFor(xdg, "/home/u"), expected) << xdg;
    }
}

}  // namespace
}  // namespace padrix
