#pragma once

#include <QEventLoop>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <ctime>
#include <vector>

namespace padrix::bench {

// The value below which a share `p` (0 to 1) of the samples lies.
inline double Percentile(std::vector<double> v, double p) {
    std::sort(v.begin(), v.end());
    return v[static_cast<std::size_t>(p * static_cast<double>(v.size() - 1))];
}

inline double ProcessCpuSeconds() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) / 1e9;
}

// Lets the event loop run for `seconds` with nothing happening; the CPU the
// process used meanwhile, in percent of one core.
inline double IdleCpuPercent(int seconds) {
    using Clock = std::chrono::steady_clock;
    QEventLoop loop;
    QTimer::singleShot(seconds * 1000, &loop, &QEventLoop::quit);
    const double cpu = ProcessCpuSeconds();
    const auto wall = Clock::now();
    loop.exec();
    const double elapsed = std::chrono::duration<double>(Clock::now() - wall).count();
    return 100.0 * (ProcessCpuSeconds() - cpu) / elapsed;
}

}  // namespace padrix::bench
