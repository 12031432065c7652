#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "Child.h"
#include "platform/Launcher.h"

namespace padrix::testing {
namespace {

namespace fs = std::filesystem;

class PlatformLauncher : public ::testing::Test {
  protected:
    void SetUp() override {
        fs::create_directories(folder / "tools");
        // Stand-ins for wine and xdg-open that note how they were started.
        for (const char* tool : {"wine", "opener", "native"}) {
            const fs::path script = folder / "tools" / tool;
            std::ofstream(script) << "#!/bin/sh\necho \"" << tool << "|$PWD|$WINEPREFIX|$*\" > "
                                  << (folder / "started").string() << "\n";
            fs::permissions(script, fs::perms::owner_all);
        }
    }
    void TearDown() override { fs::remove_all(folder); }

    // The line the last stand-in wrote, once it is there.
    std::string Started() {
        const fs::path file = folder / "started";
        std::string line;
        EXPECT_TRUE(WaitUntil([&] {
            std::getline(std::ifstream(file), line);
            return line.find('|') != std::string::npos;
        }));
        fs::remove(file);
        return line;
    }

    const fs::path folder =
        fs::temp_directory_path() / ("padrix-launch-" + std::to_string(getpid()));
    const Launcher launcher{LauncherTools{.opener = (folder / "tools/opener").string(),
                                          .wine = (folder / "tools/wine").string(),
                                          .winePrefix = folder / "prefix"}};
};

TEST_F(PlatformLauncher, FindsTheEmulatorBesideTheProgramIgnoringLetterCase) {
    const fs::path dir = folder / "program";
    fs::create_directories(dir / "dirvgs.exe");  // a folder never counts
    std::ofstream(dir / "padrix") << "";
    EXPECT_EQ(Launcher::FindFileEndingIn(dir, "vgs.exe"), std::nullopt);
    std::ofstream(dir / "ConnectixVGS.EXE") << "MZ";
    std::ofstream(dir / "BVGS.exe") << "MZ";
    std::ofstream(dir / "vgs.exe") << "MZ";  // the star matches one character at least
    EXPECT_EQ(Launcher::FindFileEndingIn(dir, "vgs.exe"), dir / "BVGS.exe");
    EXPECT_EQ(Launcher::FindFileEndingIn(folder / "missing", "vgs.exe"), std::nullopt);
}

TEST_F(PlatformLauncher, WindowsProgramsGoThroughWineAndOtherFilesToTheDesktop) {
    const std::string prefix = (folder / "prefix").string();
    const fs::path exe = folder / "program" / "My VGS.exe";
    const fs::path doc = folder / "readme.txt";
    fs::create_directories(exe.parent_path());
    ASSERT_TRUE(launcher.StartProgram(exe, exe.parent_path()));
    EXPECT_EQ(Started(), "wine|" + exe.parent_path().string() + "|" + prefix + "|" + exe.string());
    ASSERT_TRUE(launcher.OpenWithDefaultHandler(exe, folder));
    EXPECT_EQ(Started(), "wine|" + folder.string() + "|" + prefix + "|" + exe.string());
    ASSERT_TRUE(launcher.OpenWithDefaultHandler(doc, folder));
    EXPECT_EQ(Started(), "opener|" + folder.string() + "|" + prefix + "|" + doc.string());
    ASSERT_TRUE(launcher.StartProgram(folder / "tools" / "native", folder));
    EXPECT_EQ(Started().substr(0, 7), "native|");
    EXPECT_FALSE(launcher.StartProgram(folder / "no-such-program", folder));
}

}  // namespace
}  // namespace padrix::testing
