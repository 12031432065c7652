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
        ASSERT_TRUE(xvfb.ok());
        std::string pattern = (fs::temp_directory_path() / "padrix-shot-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        folder = pattern;
        fs::create_directories(folder / "program");
        std::ofstream(folder / "blocker") << "x";  // a file: no folder can be made below it
    }
    void TearDown() override { fs::remove_all(folder); }

    // A worker on the private display (or on `display`) with a beeper of the test's.
    std::unique_ptr<ScreenshotWorker> Worker(std::unique_ptr<Beeper> beeper, fs::path pictures,
                                             std::string display = {}) {
        return std::make_unique<ScreenshotWorker>(
            std::make_unique<x11::X11ScreenGrabber>(display.empty() ? xvfb.display() : display),
            std::move(beeper), std::move(pictures));
    }

    XvfbServer xvfb{320, 200};
    fs::path folder;
};

TEST_F(PlatformX11Screenshot, WritesAJpegOfTheScreenWhereItCanAndBeepsOnlyThen) {
    const struct {
        fs::path requested, pictures, written;  // written empty: no file
        std::string display = {};
    } cases[] = {
        {folder / "program" / "1.jpg", folder / "pictures", folder / "program" / "1.jpg"},
        {folder / "blocker" / "2.jpg", folder / "pictures", folder / "pictures/Padrix/2.jpg"},
        {folder / "blocker" / "3.jpg", folder / "blocker" / "pictures", {}},
        {folder / "program" / "4.jpg", folder / "pictures", {}, ":65000"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.requested);
        auto beeper = std::make_unique<fakes::RecordingBeeper>();
        const fakes::RecordingBeeper& beeps = *beeper;
        auto worker = Worker(std::move(beeper), c.pictures, c.display);
        worker->RequestScreenshot(c.requested.string());
        ASSERT_TRUE(worker->WaitIdle(20s));
        EXPECT_EQ(beeps.beeps, c.written.empty() ? 0 : 1);
        if (c.written.empty()) {
            EXPECT_EQ(worker->LastWritten(), std::nullopt);
            EXPECT_FALSE(fs::exists(c.requested));
            continue;
        }
        EXPECT_EQ(worker->LastWritten(), c.written);
        QImageReader reader(QString::fromStdString(c.written.string()));
        EXPECT_EQ(reader.format(), "jpeg");
        EXPECT_EQ(reader.size(), QSize(320, 200));
        EXPECT_FALSE(reader.read().isNull());
    }
}

// Holds the screenshot thread inside its beep until the test lets it go.
class GateBeeper : public Beeper {
  public:
    void Beep() override {
        std::unique_lock lock(mutex_);
        ++beeps;
        changed_.notify_all();
        changed_.wait(lock, [this] { return open_; });
    }
    bool WaitForBeep() {
        std::unique_lock lock(mutex_);
        return changed_.wait_for(lock, 20s, [this] { return beeps > 0; });
    }
    void Open() {
        const std::lock_guard lock(mutex_);
        open_ = true;
        changed_.notify_all();
    }
    int beeps = 0;  // read once the worker is idle

  private:
    std::mutex mutex_;
    std::condition_variable changed_;
    bool open_ = false;
};

TEST_F(PlatformX11Screenshot, RequestsWhileOneIsInFlightAreDropped) {
    auto gate = std::make_unique<GateBeeper>();
    GateBeeper& beeper = *gate;
    auto worker = Worker(std::move(gate), folder / "pictures");
    const fs::path shots[] = {folder / "program/1.jpg", folder / "program/2.jpg",
                              folder / "program/3.jpg"};
    worker->RequestScreenshot(shots[0].string());
    ASSERT_TRUE(beeper.WaitForBeep());
    worker->RequestScreenshot(shots[1].string());  // the first is still in flight
    EXPECT_FALSE(worker->WaitIdle(0ms));
    beeper.Open();
    ASSERT_TRUE(worker->WaitIdle(20s));
    worker->RequestScreenshot(shots[2].string());
    ASSERT_TRUE(worker->WaitIdle(20s));
    EXPECT_TRUE(fs::exists(shots[0]));
    EXPECT_FALSE(fs::exists(shots[1]));
    EXPECT_TRUE(fs::exists(shots[2]));
    EXPECT_EQ(beeper.beeps, 2);
}

}  // namespace
}  // namespace padrix::testing
