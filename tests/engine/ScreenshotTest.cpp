#include "EngineRig.h"
#include "engine/ScreenshotPath.h"

namespace padrix::testing {
namespace {

TEST(EngineScreenshotPath, DateAndTimeNameTheFile) {
    EXPECT_EQ(ScreenshotPath("/home/u/padrix", {2026, 1, 2, 3, 4, 5}),
              "/home/u/padrix/20260102030405.jpg");
    EXPECT_EQ(ScreenshotPath("/opt/", {1999, 12, 31, 23, 59, 59}), "/opt/19991231235959.jpg");
}

class EngineScreenshot : public EngineRig {};

TEST_F(EngineScreenshot, OnePerRunOnceAJoypadIsProcessed) {
    OpenPads(3);
    engine.SetJoypadsEnabled("001");
    keys.down.insert(44);
    Run();
    EXPECT_EQ(screenshots.paths, std::vector<std::string>{"/home/u/padrix/20261206090507.jpg"});
    engine.SetJoypadsEnabled("000");
    keys.down.clear();
    Run();
    keys.down.insert(44);
    Run();
    EXPECT_EQ(screenshots.paths.size(), 1u) << "not looked at without a processed joypad";
}

TEST_F(EngineScreenshot, HeldPrintScreenIsPacedToSixtyFourASecond) {
    OpenPads(1);
    keys.down.insert(44);
    for (int ms = 0; ms < 1000; ++ms) {
        Run();
    }
    EXPECT_EQ(screenshots.paths.size(), 64u);
    keys.down.clear();
    Run();
    keys.down.insert(44);
    const auto before = screenshots.paths.size();
    Run();
    EXPECT_EQ(screenshots.paths.size(), before + 1) << "a fresh press is taken at once";
}

}  // namespace
}  // namespace padrix::testing
