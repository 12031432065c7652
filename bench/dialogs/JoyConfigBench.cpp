// Measures the configuration dialog on a private X server: the time from the
// menu entry to the dialog on screen, the processor time a key capture uses
// while it waits for a key, and the cost of one tick of the dialog's joypad
// watch.
#include <QApplication>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <optional>
#include <vector>

#include "AllocationCounter.h"
#include "SdlAllocationCount.h"
#include "XvfbServer.h"
#include "app/ConfigDialogOpener.h"
#include "x11/PadrixOnX.h"

using namespace padrix;
using namespace padrix::testing;
using WallClock = std::chrono::steady_clock;

namespace {

constexpr int kOpenings = 20;
constexpr int kWaitMs = 5000;
constexpr int kTicks = 100000;

double CpuSeconds() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) / 1e9;
}

void TimeToDialog(PadrixOnX& padrix, ConfigDialogOpener& opener) {
    std::vector<double> ms;
    for (int i = 0; i < kOpenings; ++i) {
        const auto start = WallClock::now();
        padrix.form().Choose(padrix::MenuEntry::Config);
        if (!QTest::qWaitForWindowExposed(opener.dialog())) {
            std::printf("menu entry to dialog: the dialog did not appear\n");
            return;
        }
        ms.push_back(std::chrono::duration<double, std::milli>(WallClock::now() - start).count());
        opener.dialog()->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    const double first = ms.front();
    std::sort(ms.begin(), ms.end());
    std::printf(
        "menu entry to dialog shown, %d openings: first %.1f ms, median %.1f ms, max %.1f ms\n",
        kOpenings, first, ms[ms.size() / 2], ms.back());
}

void CaptureWait(PadrixOnX& padrix, ConfigDialogOpener& opener) {
    padrix.form().Choose(padrix::MenuEntry::Config);
    ConfigDialog* dialog = opener.dialog();
    if (!QTest::qWaitForWindowExposed(dialog)) {
        std::printf("key capture: the dialog did not appear\n");
        return;
    }
    QTimer::singleShot(kWaitMs, dialog, [dialog] { dialog->onKeyDown(74); });
    const double cpuBefore = CpuSeconds();
    const auto start = WallClock::now();
    dialog->onPadButtonClicked(3);
    const double wall = std::chrono::duration<double>(WallClock::now() - start).count();
    const double cpu = CpuSeconds() - cpuBefore;
    std::printf("key capture waiting %.1f s: %.3f s of processor time, %.2f %% of one core\n", wall,
                cpu, 100.0 * cpu / wall);
    dialog->close();
}

void Ticks(PadrixOnX& padrix, ConfigDialogOpener& opener) {
    padrix.form().Choose(padrix::MenuEntry::Config);
    ConfigDialog* dialog = opener.dialog();
    dialog->onPadWatchTick();  // the first reading
    const std::uint64_t allocationsBefore = bench::AllocationCount();
    const auto start = WallClock::now();
    for (int i = 0; i < kTicks; ++i) {
        dialog->onPadWatchTick();
    }
    const double micros =
        std::chrono::duration<double, std::micro>(WallClock::now() - start).count() / kTicks;
    const std::uint64_t allocations = bench::AllocationCount() - allocationsBefore;
    std::printf("dialog tick, one joypad at rest, %d ticks: %.2f us each, %llu heap allocations\n",
                kTicks, micros, static_cast<unsigned long long>(allocations));
    dialog->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

}  // namespace

int main(int argc, char** argv) {
    bench::CountSdlAllocations();
    std::optional<XvfbServer> x;
    if (!x.emplace().ok()) {
        std::printf("no Xvfb\n");
        return 1;
    }
    setenv("DISPLAY", x->display().c_str(), 1);
    setenv("QT_QPA_PLATFORM", "xcb", 1);
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    PadrixOnX padrix;
    if (!padrix.ok()) {
        std::printf("cannot start: %s\n", padrix.error().c_str());
        return 1;
    }
    ConfigDialogOpener opener(padrix.form(), padrix.DialogPorts());
    TimeToDialog(padrix, opener);
    Ticks(padrix, opener);
    CaptureWait(padrix, opener);
    return 0;
}
