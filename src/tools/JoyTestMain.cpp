// padrix-joytest: shows what the game controllers report, as Padrix reads them.
#include <algorithm>
#include <chrono>
#include <iostream>
#include <memory>
#include <thread>
#include <vector>

#include "engine/KeyMap.h"
#include "engine/SystemClock.h"
#include "input/SdlControllers.h"
#include "tools/JoyTestReport.h"

namespace {

using padrix::joytest::Options;

int RunLive(padrix::SdlControllerAccess& access, const Options& options) {
    const int count = std::min(access.CountJoypads(), padrix::kMaxJoypads);
    const int first = options.joypad > 0 ? options.joypad : 1;
    const int last = options.joypad > 0 ? options.joypad : count;
    std::vector<std::pair<int, std::unique_ptr<padrix::Joypad>>> pads;
    for (int n = first; n <= last; ++n) {
        if (auto pad = access.OpenJoypad(n, false)) {
            pads.emplace_back(n, std::move(pad));
        } else {
            std::cerr << "joypad " << n << " cannot be opened\n";
        }
    }
    if (pads.empty()) {
        return 1;
    }
    padrix::joytest::LiveView view;
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(options.seconds);
    while (options.seconds == 0 || std::chrono::steady_clock::now() < end) {
        for (auto& [n, pad] : pads) {
            padrix::JoyState state;
            const bool ok = pad->Read(state);
            if (const auto line = view.Update(n, ok, state, pad->ButtonCount())) {
                std::cout << *line << std::endl;
            }
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string_view> args(argv + 1, argv + argc);
    const auto parsed = padrix::joytest::ParseArgs(args);
    if (!parsed.options) {
        std::cerr << "padrix-joytest: " << parsed.error << "\n" << padrix::joytest::Usage();
        return 2;
    }
    const Options& options = *parsed.options;
    if (options.help) {
        std::cout << padrix::joytest::Usage();
        return 0;
    }
    if (options.version) {
        std::cout << padrix::joytest::VersionLine();
        return 0;
    }
    padrix::SystemClock clock;
    padrix::SdlControllerAccess access{clock};
    if (!padrix::joytest::StartOrExplain(access, std::cerr)) {
        return 1;
    }
    padrix::joytest::ListJoypads(access, std::cout);
    return options.live ? RunLive(access, options) : 0;
}
