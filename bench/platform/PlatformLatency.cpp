// Measures the X11 backend against a private Xvfb: how long a key sent
// through XTest takes to reach a client window, what a key-state read costs,
// and how long a screenshot request holds up the polling path.
//
//   padrix_platform_bench [keys]
#include "platform/ScreenshotWorker.h"

#include <poll.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "TestWindow.h"
#include "XvfbServer.h"
#include "engine/VirtualKeys.h"
#include "platform/x11/X11Keys.h"
#include "platform/x11/X11Output.h"
#include "platform/x11/X11Platform.h"
#include "platform/x11/X11Screenshots.h"

namespace {

using Clock = std::chrono::steady_clock;
using padrix::testing::TestWindow;
using padrix::testing::XvfbServer;

double Micros(Clock::duration d) {
    return std::chrono::duration<double, std::micro>(d).count();
}

void Report(const char* what, std::vector<double> samples) {
    if (samples.empty()) {
        std::printf("%-44s no samples\n", what);
        return;
    }
    std::sort(samples.begin(), samples.end());
    const auto at = [&](double q) {
        return samples[std::min(samples.size() - 1, static_cast<std::size_t>(q * samples.size()))];
    };
    std::printf("%-44s n=%-6zu median %9.1f us   p99 %9.1f us   max %9.1f us\n", what,
                samples.size(), at(0.5), at(0.99), samples.back());
}

// Waits for the next event of `type` on the window's connection.
bool WaitForEvent(Display* d, int type) {
    pollfd p{ConnectionNumber(d), POLLIN, 0};
    while (true) {
        while (XPending(d) > 0) {
            XEvent event;
            XNextEvent(d, &event);
            if (event.type == type) {
                return true;
            }
        }
        if (poll(&p, 1, 5000) <= 0) {
            return false;
        }
    }
}

void KeyLatency(const std::shared_ptr<padrix::x11::X11Session>& session, TestWindow& window,
                int keys) {
    padrix::x11::X11Output output(session);
    std::vector<double> press;
    std::vector<double> release;
    for (int i = 0; i < keys; ++i) {
        auto t0 = Clock::now();
        output.SendKey(74, true, 0);
        if (!WaitForEvent(window.display(), KeyPress)) {
            break;
        }
        press.push_back(Micros(Clock::now() - t0));
        t0 = Clock::now();
        output.SendKey(74, false, 0);
        if (!WaitForEvent(window.display(), KeyRelease)) {
            break;
        }
        release.push_back(Micros(Clock::now() - t0));
    }
    Report("XTest key-down to KeyPress at the window", press);
    Report("XTest key-up to KeyRelease at the window", release);
}

void KeyState(const std::shared_ptr<padrix::x11::X11Session>& session) {
    for (auto [label, age] : {std::pair{"IsKeyDown, every call asks (XQueryKeymap)", 0},
                              std::pair{"IsKeyDown, one query per 500 us (default)", 500}}) {
        padrix::x11::X11Keys keys(session, std::chrono::microseconds(age));
        std::vector<double> samples;
        // As the polling cycle asks: Tab, Ctrl and Print Screen once a millisecond.
        const auto start = Clock::now();
        for (int cycle = 0; cycle < 2000; ++cycle) {
            while (Clock::now() - start < std::chrono::microseconds(1000 * cycle)) {
            }
            const auto t0 = Clock::now();
            keys.IsKeyDown(padrix::vk::Tab);
            keys.IsKeyDown(padrix::vk::Control);
            keys.IsKeyDown(padrix::vk::Snapshot);
            samples.push_back(Micros(Clock::now() - t0));
        }
        Report(label, samples);
        std::printf("%-44s (three keys per polling cycle)\n", "");
    }
}

void ScreenshotHold(const std::string& display, const std::filesystem::path& folder) {
    padrix::ScreenshotWorker worker(std::make_unique<padrix::x11::X11ScreenGrabber>(display),
                                    nullptr, folder);
    std::vector<double> idle;
    std::vector<double> busy;
    std::vector<double> complete;
    for (int i = 0; i < 20; ++i) {
        const std::string path = (folder / ("shot" + std::to_string(i) + ".jpg")).string();
        auto t0 = Clock::now();
        worker.RequestScreenshot(path);
        idle.push_back(Micros(Clock::now() - t0));
        // Requests made while that one is written, as Print Screen held does.
        for (int k = 0; k < 10; ++k) {
            const auto t1 = Clock::now();
            worker.RequestScreenshot(path);
            busy.push_back(Micros(Clock::now() - t1));
        }
        worker.WaitIdle(std::chrono::seconds(30));
        complete.push_back(Micros(Clock::now() - t0));
    }
    Report("screenshot request, worker idle (UI thread)", idle);
    Report("screenshot request, one in flight (UI thread)", busy);
    Report("screenshot grab + JPEG 1920x1080 (worker)", complete);
}

}  // namespace

int main(int argc, char** argv) {
    const int keys = argc > 1 ? std::max(1000, std::atoi(argv[1])) : 2000;
    XvfbServer xvfb(1920, 1080);
    if (xvfb.display().empty()) {
        std::fprintf(stderr, "Xvfb did not start\n");
        return 1;
    }
    auto opened = padrix::x11::OpenX11Session(xvfb.display());
    if (auto* why = std::get_if<std::string>(&opened)) {
        std::fprintf(stderr, "%s\n", why->c_str());
        return 1;
    }
    auto session = std::get<std::shared_ptr<padrix::x11::X11Session>>(opened);
    TestWindow window(xvfb.display(), "Latency");
    window.TakeFocusAndPointer();

    KeyLatency(session, window, keys);
    KeyState(session);
    const auto folder = std::filesystem::temp_directory_path() / "padrix-bench-shots";
    std::filesystem::create_directories(folder);
    ScreenshotHold(xvfb.display(), folder);
    std::filesystem::remove_all(folder);
    return 0;
}
