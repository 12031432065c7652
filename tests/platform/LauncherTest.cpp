#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>

#include "platform/Launcher.h"

namespace padrix::testing {
namespace {

namespace fs = std::filesystem;

class PlatformLauncher : public ::testing::Test {
  protected:
    void SetUp() override {
        folder = fs::temp_directory_path() / ("padrix-launch-" + std::to_string(getpid()));
        fs::create_directories(folder / "tools");
        fifo = folder / "report";
        ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
        // Stand-ins for wine and xdg-open that report how they were started.
        for (const char* tool : {"wine", "opener", "native"}) {
            const fs::path script = folder / "tools" / tool;
            std::ofstream(script) << "#!/bin/sh\necho \"" << tool << "|$PWD|$WINEPREFIX|$*\" > "
                                  << fifo.string() << "\n";
            fs::permissions(script, fs::perms::owner_all);
        }
        reader = open(fifo.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
        ASSERT_GE(reader, 0);
    }
    void TearDown() override {
        close(reader);
        fs::remove_all(folder);
    }

    Launcher Make() {
        return Launcher(LauncherTools{.opener = (folder / "tools" / "opener").string(),
                                      .wine = (folder / "tools" / "wine").string(),
                                      .winePrefix = folder / "prefix"});
    }

    // The line a stand-in wrote, waiting for it at most 20 seconds.
    std::string Report() {
        std::string line;
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        pollfd p{reader, POLLIN, 0};
        while (line.empty() || line.back() != '\n') {
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                deadline - std::chrono::steady_clock::now());
            if (left.count() <= 0 || poll(&p, 1, static_cast<int>(left.count())) <= 0) {
                break;
            }
            char buffer[256];
            const ssize_t n = read(reader, buffer, sizeof buffer);
            if (n > 0) {
                line.append(buffer, static_cast<std::size_t>(n));
            }
        }
        return line;
    }

    fs::path folder;
    fs::path fifo;
    int reader = -1;
};

TEST_F(PlatformLauncher, FindsTheEmulatorBesideTheProgramIgnoringLetterCase) {
    const fs::path dir = folder / "program";
    fs::create_directories(dir / "dirvgs.exe");  // a folder never counts
    std::ofstream(dir / "padrix") << "";
    EXPECT_EQ(Launcher::FindFileEndingIn(dir, "vgs.exe"), std::nullopt);
    std::ofstream(dir / "ConnectixVGS.EXE") << "MZ";
    std::ofstream(dir / "BVGS.exe") << "MZ";
    EXPECT_EQ(Launcher::FindFileEndingIn(dir, "vgs.exe"), dir / "BVGS.exe");
    EXPECT_EQ(Launcher::FindFileEndingIn(folder / "missing", "vgs.exe"), std::nullopt);
    std::ofstream(dir / "vgs.exe") << "MZ";  // the star also matches nothing
    EXPECT_EQ(Launcher::FindFileEndingIn(dir, "vgs.exe"), dir / "BVGS.exe");
}

TEST_F(PlatformLauncher, StartsWindowsProgramsThroughWineInTheirFolder) {
    const Launcher launcher = Make();
    const fs::path exe = folder / "program" / "My VGS.exe";
    fs::create_directories(exe.parent_path());
    ASSERT_TRUE(launcher.StartProgram(exe, exe.parent_path()));
    EXPECT_EQ(Report(), "wine|" + exe.parent_path().string() + "|" + (folder / "prefix").string() +
                            "|" + exe.string() + "\n");
    ASSERT_TRUE(launcher.OpenWithDefaultHandler(exe, folder));
    EXPECT_EQ(Report().substr(0, 5 + folder.string().size()), "wine|" + folder.string());
}

TEST_F(PlatformLauncher, OpensOtherFilesWithTheDesktopHandler) {
    const Launcher launcher = Make();
    const fs::path doc = folder / "readme.txt";
    ASSERT_TRUE(launcher.OpenWithDefaultHandler(doc, folder));
    EXPECT_EQ(Report(), "opener|" + folder.string() + "|" + (folder / "prefix").string() + "|" +
                            doc.string() + "\n");
    ASSERT_TRUE(launcher.StartProgram(folder / "tools" / "native", folder));
    EXPECT_EQ(Report().substr(0, 7), "native|");
}

TEST_F(PlatformLauncher, AProgramThatDoesNotExistIsNotStarted) {
    EXPECT_FALSE(Make().StartProgram(folder / "no-such-program", folder));
}

}  // namespace
}  // namespace padrix::testing
