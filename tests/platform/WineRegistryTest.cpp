#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "platform/Launcher.h"

namespace padrix::testing {
namespace {

namespace fs = std::filesystem;

constexpr const char* kVgsKey = "SOFTWARE\\Connectix\\Connectix Virtual Game Station\\General";

// A made-up Wine prefix in a temporary folder.
class PlatformWineRegistry : public ::testing::Test {
  protected:
    void SetUp() override {
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
"Pairs"="\xd83d\xde00\xd800x"
"Broken"="no closing quote

[Software\\Other] 1700000000
"Location"="elsewhere"
)";
        std::ofstream(prefix / "user.reg") << "WINE REGISTRY Version 2\n"
                                              "[Software\\\\Wine\\\\Direct3D] 1700000000\n"
                                              "\"renderer\"=\"gl\"\n";
    }
    void TearDown() override { fs::remove_all(prefix); }

    std::string Read(std::string_view key, std::string_view value,
                     RegistryRoot root = RegistryRoot::kLocalMachine) {
        return launcher.ReadRegistryString(root, key, value);
    }

    const fs::path prefix = fs::temp_directory_path() / ("padrix-wine-" + std::to_string(getpid()));
    const Launcher launcher{LauncherTools{.winePrefix = prefix}};
};

TEST_F(PlatformWineRegistry, ReadsStringValues) {
    const std::string general = kVgsKey;
    const std::string location = "C:\\Program Files\\Connectix\\VGS.exe";
    const struct {
        std::string key, value, expected;
    } cases[] = {
        {general, "Location", location},
        {"software\\connectix\\connectix virtual game station\\general", "LOCATION", location},
        {"\\" + general + "\\", "Location", location},
        {general, "Quoted", "say \"hi\"\ttab\\"},
        {general, "Unicode", "caf\xC3\xA9 \xE2\x82\xAC\xE2\x98\xBA!"},
        {general, "Octal", "aAb"},
        // A pair of surrogates is one character, a lone one the replacement character.
        {general, "Pairs", "\xF0\x9F\x98\x80\xEF\xBF\xBDx"},
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
    for (const auto& c : cases) {
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
    const fs::path exe =
        fs::canonical(prefix / "drive_c" / "Program Files" / "Connectix" / "VGS.exe");
    const std::pair<std::string, fs::path> cases[] = {
        {Read(kVgsKey, "Location"), exe},
        {"c:/PROGRAM FILES/connectix/vgs.EXE", exe},
        {"C:\\Program Files\\Connectix\\New.exe", exe.parent_path() / "New.exe"},
        {"D:\\Games\\VGS.exe", {}},
        {"\\\\server\\share\\VGS.exe", {}},
        {"", {}},
    };
    for (const auto& [windows, host] : cases) {
        EXPECT_EQ(launcher.HostPathOfWindowsPath(windows), host) << windows;
    }
}

}  // namespace
}  // namespace padrix::testing
