// Qt and gtest before Xlib: Xlib's macros (None, Bool, Status) break them.
#include <gtest/gtest.h>
#include <QImageReader>

#include <condition_variable>
#include <filesystem>
#include <fstream>
#include <memory>
#include <mutex>

#include "Fakes.h"
#include "XvfbServer.h"
#include "platform/x11/X11Screenshots.h"

namespace padrix::testing {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

class PlatformX11Screenshot : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_FALSE(xvfb.display().empty());
        folder =
            fs::temp_directory_path() /
            ("padrix-shot-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
             "-" + std::to_string(reinterpret_cast<std::uintptr_t>(this)));
        fs::create_directories(folder / "program");
        auto beeper = std::make_unique<fakes::RecordingBeeper>();
        beeps = beeper.get();
        worker = std::make_unique<ScreenshotWorker>(
            std::make_unique<x11::X11ScreenGrabber>(xvfb.display()), std::move(beeper),
            folder / "pictures");
    }
    void TearDown() override {
        worker.reset();
        fs::remove_all(folder);
    }

    // A path whose folder cannot be created: its parent is a file.
    fs::path Unwritable(const std::string& name) {
        std::ofstream(folder / "blocker") << "x";
        return folder / "blocker" / name;
    }

    XvfbServer xvfb{320, 200};
    fs::path folder;
    fakes::RecordingBeeper* beeps = nullptr;
    std::unique_ptr<ScreenshotWorker> worker;
};

TEST_F(PlatformX11Screenshot, WritesAJpegOfTheScreenAndBeeps) {
    const fs::path path = folder / "program" / "20261206090507.jpg";
    worker->RequestScreenshot(path.string());
    ASSERT_TRUE(worker->WaitIdle(20s));
    EXPECT_EQ(worker->LastWritten(), path);
    QImageReader reader(QString::fromStdString(path.string()));
    EXPECT_EQ(reader.format(), "jpeg");
    EXPECT_EQ(reader.size(), QSize(320, 200));
    EXPECT_FALSE(reader.read().isNull());
    EXPECT_EQ(beeps->beeps, 1);
}

TEST_F(PlatformX11Screenshot, GoesToThePicturesFolderWhenItsOwnCannotBeWritten) {
    worker->RequestScreenshot(Unwritable("20261206090507.jpg").string());
    ASSERT_TRUE(worker->WaitIdle(20s));
    const fs::path expected = folder / "pictures" / "Padrix" / "20261206090507.jpg";
    EXPECT_EQ(worker->LastWritten(), expected);
    EXPECT_EQ(QImageReader(QString::fromStdString(expected.string())).size(), QSize(320, 200));
    EXPECT_EQ(beeps->beeps, 1);
}

TEST_F(PlatformX11Screenshot, NoFileNoBeep) {
    auto beeper = std::make_unique<fakes::RecordingBeeper>();
    fakes::RecordingBeeper* silent = beeper.get();
    ScreenshotWorker stuck(std::make_unique<x11::X11ScreenGrabber>(xvfb.display()),
                           std::move(beeper), Unwritable("pictures"));
    stuck.RequestScreenshot(Unwritable("a.jpg").string());
    ASSERT_TRUE(stuck.WaitIdle(20s));
    EXPECT_EQ(stuck.LastWritten(), std::nullopt);
    EXPECT_EQ(silent->beeps, 0);
}

TEST_F(PlatformX11Screenshot, NoDisplayNoFileNoBeep) {
    auto beeper = std::make_unique<fakes::RecordingBeeper>();
    fakes::RecordingBeeper* silent = beeper.get();
    ScreenshotWorker blind(std::make_unique<x11::X11ScreenGrabber>(":65000"), std::move(beeper),
                           folder / "pictures");
    const fs::path path = folder / "program" / "x.jpg";
    blind.RequestScreenshot(path.string());
    ASSERT_TRUE(blind.WaitIdle(20s));
    EXPECT_FALSE(fs::exists(path));
    EXPECT_EQ(silent->beeps, 0);
}

// Holds the screenshot thread inside its beep until the test lets it go.
class GateBeeper : public Beeper {
  public:
    void Beep() override {
        std::unique_lock lock(mutex_);
        ++beeps_;
        changed_.notify_all();
        changed_.wait(lock, [this] { return open_; });
    }
    bool WaitForBeeps(int n) {
        std::unique_lock lock(mutex_);
        return changed_.wait_for(lock, 20s, [&] { return beeps_ >= n; });
    }
    void Open() {
        const std::lock_guard lock(mutex_);
        open_ = true;
        changed_.notify_all();
    }
    int beeps() {
        const std::lock_guard lock(mutex_);
        return beeps_;
    }

  private:
    std::mutex mutex_;
    std::condition_variable changed_;
    int beeps_ = 0;
    bool open_ = false;
};

TEST_F(PlatformX11Screenshot, RequestsWhileOneIsInFlightAreDropped) {
    auto gate = std::make_unique<GateBeeper>();
    GateBeeper* beeper = gate.get();
    ScreenshotWorker held(std::make_unique<x11::X11ScreenGrabber>(xvfb.display()), std::move(gate),
                          folder / "pictures");
    const fs::path first = folder / "program" / "1.jpg";
    const fs::path second = folder / "program" / "2.jpg";
    const fs::path third = folder / "program" / "3.jpg";
    held.RequestScreenshot(first.string());
    ASSERT_TRUE(beeper->WaitForBeeps(1));
    held.RequestScreenshot(second.string());  // the first is still in flight
    EXPECT_FALSE(held.WaitIdle(0ms));
    beeper->Open();
    ASSERT_TRUE(held.WaitIdle(20s));
    held.RequestScreenshot(third.string());
    ASSERT_TRUE(held.WaitIdle(20s));
    EXPECT_TRUE(fs::exists(first));
    EXPECT_FALSE(fs::exists(second));
    EXPECT_TRUE(fs::exists(third));
    EXPECT_EQ(beeper->beeps(), 2);
}

}  // namespace
}  // namespace padrix::testing
