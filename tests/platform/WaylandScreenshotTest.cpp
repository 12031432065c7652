#include <gtest/gtest.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QImage>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>

#include "Child.h"
#include "Fakes.h"
#include "SwayServer.h"
#include "WaylandClientWindow.h"
#include "platform/ScreenshotWorker.h"
#include "platform/wayland/PortalScreenGrabber.h"
#include "platform/wayland/WaylandScreenGrabber.h"
#include "platform/wayland/WaylandScreenshots.h"

namespace padrix::testing {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

// A D-Bus session bus of the test's own, that starts no services.
class PrivateBus {
  public:
    explicit PrivateBus(const fs::path& folder) : socket_(folder / "bus") {
        const fs::path config = folder / "bus.conf";
        std::ofstream(config)
            << "<!DOCTYPE busconfig PUBLIC \"-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN\""
               " \"http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd\">\n"
               "<busconfig><type>session</type><listen>unix:path="
            << socket_.string()
            << "</listen><auth>EXTERNAL</auth><policy context=\"default\">"
               "<allow send_destination=\"*\" eavesdrop=\"true\"/><allow eavesdrop=\"true\"/>"
               "<allow own=\"*\"/></policy></busconfig>\n";
        daemon_ = std::make_unique<Child>(std::vector<std::string>{
            "dbus-daemon", "--nofork", "--nopidfile", "--config-file=" + config.string()});
        WaitUntil([this] { return fs::exists(socket_); });
    }
    bool ok() const { return fs::exists(socket_); }
    std::string address() const { return "unix:path=" + socket_.string(); }

  private:
    fs::path socket_;
    std::unique_ptr<Child> daemon_;
};

class PlatformWaylandScreenshot : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "padrix-wlshot-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        folder = pattern;
        fs::create_directories(folder / "temporary");
        fs::create_directories(folder / "pictures");
    }
    void TearDown() override { fs::remove_all(folder); }

    SessionEnvironment Env(const std::string& waylandDisplay, const std::string& bus = {}) const {
        SessionEnvironment env;
        env.waylandDisplay = waylandDisplay;
        env.sessionBus = bus;
        env.picturesFolder = (folder / "pictures").string();
        return env;
    }

    int argc = 1;
    char name[8] = "tests";
    char* argv[2] = {name, nullptr};
    QCoreApplication app{argc, argv};
    fs::path folder;
};

// The average difference of the colour channels of two pictures of one size,
// over blocks of 16 by 16 pixels: JPEG keeps their averages.
double MeanDifference(const QImage& full, const QImage& fullOther) {
    const QSize blocks = full.size() / 16;
    const QImage a = full.scaled(blocks, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    const QImage b = fullOther.scaled(blocks, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    double sum = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y);
            const QRgb q = b.pixel(x, y);
            sum += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) +
                   std::abs(qBlue(p) - qBlue(q));
        }
    }
    return sum / (3.0 * a.width() * a.height());
}

TEST_F(PlatformWaylandScreenshot, CopiesEveryOutputAsGrimDoesAndSavesTheDesktopAsJpeg) {
    SwayServer sway;
    ASSERT_TRUE(sway.ok()) << sway.error();
    const std::string socket = sway.runtimeFolder() + "/" + sway.Env().at("WAYLAND_DISPLAY");
    WaylandClientWindow window(sway, "Screenshot");
    ASSERT_TRUE(window.ok());
    // grim's pictures before and after: the screen did not change between.
    const auto grim = [&] {
        const fs::path file = folder / "grim.png";
        return RunCommand({"grim", "-t", "png", file.string()}, sway.Env())
                   ? QImage(QString::fromStdString(file.string()))
                         .convertToFormat(QImage::Format_RGB32)
                   : QImage();
    };
    const auto steady = [&](const std::function<void()>& take) {
        QImage before;
        return WaitUntil([&] {
            before = grim();
            take();
            return !before.isNull() && grim() == before;
        })
                   ? before
                   : QImage();
    };

    wayland::WaylandScreenGrabber grabber(socket);
    QImage grabbed;
    QImage reference = steady([&] { grabbed = grabber.Grab(); });
    ASSERT_EQ(reference.size(), QSize(1280, 800));
    EXPECT_EQ(grabbed, reference);
    EXPECT_EQ(grabbed.pixel(640, 400), 0xff336699);  // the window's colour

    auto beeper = std::make_unique<fakes::RecordingBeeper>();
    const fakes::RecordingBeeper& beeps = *beeper;
    auto shots = wayland::OpenWaylandScreenshots(Env(socket), std::move(beeper));
    auto* worker = dynamic_cast<ScreenshotWorker*>(shots.get());
    ASSERT_NE(worker, nullptr);
    const fs::path jpeg = folder / "shot.jpg";
    reference = steady([&] {
        worker->RequestScreenshot(jpeg.string());
        ASSERT_TRUE(worker->WaitIdle(20s));
    });
    EXPECT_GE(beeps.beeps, 1);
    const QImage saved(QString::fromStdString(jpeg.string()));
    ASSERT_EQ(saved.size(), QSize(1280, 800));
    EXPECT_LT(MeanDifference(saved, reference), 2.0);

    // A second output, turned, with the window on it: the same connection
    // follows, and places and turns each as grim does.
    ASSERT_FALSE(sway.Message({"create_output"}).empty());
    ASSERT_FALSE(
        sway.Message(
                {"output HEADLESS-2 resolution 640x480 position 1280 100 transform flipped-90"})
            .empty());
    ASSERT_FALSE(
        sway.Message({"[app_id=padrix-test] move container to output HEADLESS-2"}).empty());
    reference = steady([&] { grabbed = grabber.Grab(); });
    EXPECT_EQ(reference.size(), QSize(1760, 800));
    EXPECT_EQ(grabbed, reference);
}

TEST_F(PlatformWaylandScreenshot, ReadsThePortalsPictureAndRemovesOnlyAFileLeftForUs) {
    PrivateBus bus(folder);
    ASSERT_TRUE(bus.ok());
    const struct {
        std::string response;  // the portal's answer; "none": it never answers
        fs::path file;
        bool picture, kept;
    } cases[] = {
        {"0", folder / "temporary/shot.png", true, false},
        {"0", folder / "pictures/mine.png", true, true},
        {"0", folder / "temporary/unreadable.png", false, false},
        {"1", folder / "temporary/shot.png", false, true},
        {"none", folder / "temporary/shot.png", false, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.response + " " + c.file.string());
        QImage written(40, 30, QImage::Format_RGB32);
        written.fill(0xff336699);
        if (c.file.stem() == "unreadable") {
            std::ofstream(c.file) << "not a picture";
        } else {
            ASSERT_TRUE(written.save(QString::fromStdString(c.file.string()), "PNG"));
        }
        {
            Child portal({PADRIX_FAKE_PORTAL_PROGRAM, c.response, c.file.string()},
                         {{"DBUS_SESSION_BUS_ADDRESS", bus.address()}});
            ASSERT_TRUE(WaitUntil([&] { return wayland::PortalOffersScreenshots(bus.address()); }));
            wayland::PortalScreenGrabber grabber(bus.address(), folder / "temporary", 500ms);
            const QImage got = grabber.Grab();
            EXPECT_EQ(got.isNull(), !c.picture);
            if (c.picture) {
                EXPECT_EQ(got.size(), written.size());
                EXPECT_EQ(got.pixel(20, 15), written.pixel(20, 15));
            }
            EXPECT_EQ(fs::exists(c.file), c.kept);
        }
        ASSERT_TRUE(WaitUntil([&] { return !wayland::PortalOffersScreenshots(bus.address()); }));
        fs::remove(c.file);
    }

    // Print Screen where only the portal answers, on the screenshot thread.
    const fs::path mine = folder / "pictures/mine.png";
    ASSERT_TRUE(QImage(40, 30, QImage::Format_RGB32).save(QString::fromStdString(mine.string())));
    Child portal({PADRIX_FAKE_PORTAL_PROGRAM, "0", mine.string()},
                 {{"DBUS_SESSION_BUS_ADDRESS", bus.address()}});
    ASSERT_TRUE(WaitUntil([&] { return wayland::PortalOffersScreenshots(bus.address()); }));
    auto shots = wayland::OpenWaylandScreenshots(
        Env((folder / "no-compositor").string(), bus.address()), {});
    auto* worker = dynamic_cast<ScreenshotWorker*>(shots.get());
    ASSERT_NE(worker, nullptr);
    worker->RequestScreenshot((folder / "shot.jpg").string());
    ASSERT_TRUE(worker->WaitIdle(20s));
    EXPECT_EQ(QImage(QString::fromStdString((folder / "shot.jpg").string())).size(), QSize(40, 30));
    EXPECT_TRUE(fs::exists(mine));
}

TEST_F(PlatformWaylandScreenshot, WithoutScreenCopyOrPortalNoPictureIsTaken) {
    PrivateBus bus(folder);
    ASSERT_TRUE(bus.ok());
    const std::string noCompositor = (folder / "no-compositor").string();
    EXPECT_TRUE(wayland::WaylandScreenGrabber(noCompositor).Grab().isNull());
    EXPECT_TRUE(wayland::PortalScreenGrabber(bus.address(), folder, 500ms).Grab().isNull());
    EXPECT_EQ(wayland::OpenWaylandScreenshots(Env(noCompositor, bus.address()), nullptr), nullptr);
    EXPECT_EQ(wayland::OpenWaylandScreenshots(Env(noCompositor), nullptr), nullptr);
}

}  // namespace
}  // namespace padrix::testing
