#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/Launcher.h"
#include "platform/WineRegistry.h"

namespace padrix::testing {
namespace {

namespace fs = std::filesystem;

constexpr const char* kVgsKey = "SOFTWARE\\Connectix\\Connectix Virtual Game Station\\General";

// A made-up Wine prefix in a temporary folder.
class PlatformWineRegistry : public ::testing::Test {
  protected:
    void SetUp() override {
        prefix = fs::temp_directory_path() / ("padrix-wine-" + std::to_string(getpid()));
        fs::create_directories(prefix / "dosdevices");
        fs::create_directories(prefix / "drive_c" / "Program Files" / "Connectix");
        std::ofstream(prefix / "drive_c" / "Program Files" / "Connectix" / "VGS.exe") << "MZ";
        fs::create_symlink("../drive_c", prefix / "dosdevices" / "c:");
        std::ofstream(prefix / "system.reg") << R"(WINE REGISTRY Version 2
;; All keys relative to \\Machine

#arch=win32

[Software\\Connectix\\Connectix Virtual Game Station] 1700000000
#time=1da0000000000000
"Other"="not this one"

[Software\\Connectix\\Connectix Virtual Game Station\\General] 1700000000
#time=1da0000000000000
@="the default"
"Empty"=""
"Expand"=str(2):"%ProgramFiles%\\Connectix"
"Flags"=dword:00000001
"Location"="C:\\Program Files\\Connectix\\VGS.exe"
"Quoted"="say \"hi\"\ttab\\"
"Unicode"="caf\xe9 \x20ac\x263a!"
"Octal"="a\101b"
"Broken"="no closing quote

[Software\\Other] 1700000000
"Location"="elsewhere"
)";
        std::ofstream(prefix / "user.reg") << R"(WINE REGISTRY Version 2
[Software\\Wine\\Direct3D] 1700000000
"renderer"="gl"
)";
    }
    void TearDown() override { fs::remove_all(prefix); }

    std::string Read(std::string_view key, std::string_view value,
                     RegistryRoot root = RegistryRoot::kLocalMachine) {
        return Launcher(LauncherTools{.winePrefix = prefix}).ReadRegistryString(root, key, value);
    }

    fs::path prefix;
};

TEST_F(PlatformWineRegistry, ReadsStringValues) {
    struct Case {
        std::string key;
        std::string value;
        std::string expected;
    };
    const std::string general = kVgsKey;
    const std::vector<Case> cases = {
        {general, "Location", "C:\\Program Files\\Connectix\\VGS.exe"},
        {"software\\connectix\\connectix virtual game station\\general", "LOCATION",
         "C:\\Program Files\\Connectix\\VGS.exe"},
        {"\\" + general + "\\", "Location", "C:\\Program Files\\Connectix\\VGS.exe"},
        {general, "Quoted", "say \"hi\"\ttab\\"},
        {general, "Unicode", "caf\xC3\xA9 \xE2\x82\xAC\xE2\x98\xBA!"},
        {general, "Octal", "aAb"},
        {general, "Expand", "%ProgramFiles%\\Connectix"},
        {general, "", "the default"},
        {"Software\\Other", "Location", "elsewhere"},
        // Empty text for everything that is not there or not a string.
        {general, "Empty", ""},
        {general, "Flags", ""},
        {general, "Broken", ""},
        {general, "Missing", ""},
        {general, "Other", ""},
        {general + "\\Deeper", "Location", ""},
        {"Software\\Connectix", "Location", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Read(c.key, c.value), c.expected) << c.key << " / " << c.value;
    }
    EXPECT_EQ(Read("Software\\Wine\\Direct3D", "renderer", RegistryRoot::kCurrentUser), "gl");
    EXPECT_EQ(Read("Software\\Wine\\Direct3D", "renderer"), "");
}

TEST_F(PlatformWineRegistry, AMissingPrefixOrFileGivesEmptyText) {
    const Launcher none(LauncherTools{.winePrefix = prefix / "nowhere"});
    EXPECT_EQ(none.ReadRegistryString(RegistryRoot::kLocalMachine, kVgsKey, "Location"), "");
    fs::remove(prefix / "user.reg");
    EXPECT_EQ(Read("Software\\Wine\\Direct3D", "renderer", RegistryRoot::kCurrentUser), "");
    std::ofstream(prefix / "system.reg", std::ios::trunc) << "\x01\x02garbage [[[ \"\n=\"\n";
    EXPECT_EQ(Read(kVgsKey, "Location"), "");
}

TEST_F(PlatformWineRegistry, WindowsPathsBecomeFilesThroughTheDriveLinks) {
    const Launcher launcher(LauncherTools{.winePrefix = prefix});
    const fs::path exe =
        fs::canonical(prefix / "drive_c" / "Program Files" / "Connectix" / "VGS.exe");
    EXPECT_EQ(launcher.HostPathOfWindowsPath(Read(kVgsKey, "Location")), exe);
    EXPECT_EQ(launcher.HostPathOfWindowsPath("c:/PROGRAM FILES/connectix/vgs.EXE"), exe);
    EXPECT_EQ(launcher.HostPathOfWindowsPath("C:\\Program Files\\Connectix\\New.exe"),
              exe.parent_path() / "New.exe");
    EXPECT_EQ(launcher.HostPathOfWindowsPath("D:\\Games\\VGS.exe"), fs::path());
    EXPECT_EQ(launcher.HostPathOfWindowsPath("\\\\server\\share\\VGS.exe"), fs::path());
    EXPECT_EQ(launcher.HostPathOfWindowsPath(""), fs::path());
}

TEST(PlatformWineRegistryText, UnquotingStopsAtTheClosingQuote) {
    const auto text = UnquoteRegistryText(R"(a\\b\"c"="rest")");
    ASSERT_TRUE(text.has_value());
    EXPECT_EQ(text->text, "a\\b\"c");
    EXPECT_EQ(text->used, 8u);
    EXPECT_FALSE(UnquoteRegistryText("no end").has_value());
    EXPECT_FALSE(UnquoteRegistryText("ends in a backslash\\").has_value());
    // A lone surrogate becomes the replacement character, a pair one character.
    EXPECT_EQ(UnquoteRegistryText(R"(\xd83d\xde00\xd800x")")->text,
              "\xF0\x9F\x98\x80\xEF\xBF\xBDx");
}

}  // namespace
}  // namespace padrix::testing
