#include "tools/JoyTestReport.h"

#include <algorithm>
#include <charconv>
#include <sstream>

#include "common/Version.h"
#include "engine/KeyMap.h"

namespace padrix::joytest {
namespace {

std::optional<int> PositiveNumber(std::string_view text) {
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || value < 1) {
        return std::nullopt;
    }
    return value;
}

std::string Count(int count, const char* one, const char* many) {
    return std::to_string(count) + " " + (count == 1 ? one : many);
}

}  // namespace

ParsedArgs ParseArgs(const std::vector<std::string_view>& args) {
    Options options;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string_view arg = args[i];
        const bool hasValue = i + 1 < args.size();
        if (arg == "-h" || arg == "--help") {
            options.help = true;
        } else if (arg == "-v" || arg == "--version") {
            options.version = true;
        } else if (arg == "-l" || arg == "--live") {
            options.live = true;
        } else if (arg == "-j" || arg == "--joypad" || arg == "-s" || arg == "--seconds") {
            const auto value = hasValue ? PositiveNumber(args[i + 1]) : std::nullopt;
            if (!value) {
                return {std::nullopt, std::string(arg) + " needs a whole number from 1 on"};
            }
            (arg == "-j" || arg == "--joypad" ? options.joypad : options.seconds) = *value;
            ++i;
        } else {
            return {std::nullopt, "unknown argument: " + std::string(arg)};
        }
    }
    return {options, {}};
}

std::string Usage() {
    return "Usage: padrix-joytest [--live] [--joypad N] [--seconds S]\n"
           "Lists the game controllers as Padrix numbers them.\n"
           "  -l, --live        print x, y and the pressed buttons as Padrix reads them,\n"
           "                    a line whenever they change (Ctrl+C ends)\n"
           "  -j, --joypad N    with --live, only joypad N\n"
           "  -s, --seconds S   with --live, stop after S seconds\n"
           "  -v, --version     show the version\n"
           "  -h, --help        show this text\n"
           "Axes run from 0 to 65535 with 32768 at the centre; buttons are numbered\n"
           "from 1, as in the configuration dialog.\n";
}

std::string VersionLine() {
    return std::string("padrix-joytest ") + kPadrixVersion + "\n";
}

bool StartOrExplain(ControllerAccess& access, std::ostream& err) {
    if (access.Start()) {
        return true;
    }
    std::string reason = access.StartError();
    std::replace_if(
        reason.begin(), reason.end(), [](char c) { return static_cast<unsigned char>(c) < 0x20; },
        ' ');
    err << "padrix-joytest: the game controller system (SDL) cannot be started"
        << (reason.empty() ? "" : ": ") << reason << "\n";
    return false;
}

void ListJoypads(ControllerAccess& access, std::ostream& out) {
    const int count = access.CountJoypads();
    if (count == 0) {
        out << "No joypads found.\n";
        return;
    }
    out << Count(count, "joypad", "joypads") << " found; Padrix uses the first " << kMaxJoypads
        << ".\n";
    for (int n = 1; n <= count; ++n) {
        out << n << ": ";
        if (const auto info = access.Describe(n)) {
            out << (info->name.empty() ? "(no name)" : info->name) << " - "
                << Count(info->axes, "axis", "axes") << ", "
                << Count(info->buttons, "button", "buttons") << ", "
                << Count(info->hats, "hat", "hats");
        } else {
            out << "cannot be opened";
        }
        out << (n > kMaxJoypads ? " (not used)" : "") << "\n";
    }
}

std::string FormatReading(int joypad, const JoyState& state, int buttonCount) {
    std::ostringstream line;
    line << joypad << ": x=" << state.x << " y=" << state.y << " buttons=";
    const int shown = std::clamp(buttonCount, 0, kJoyStateButtons);
    bool any = false;
    for (int b = 0; b < shown; ++b) {
        if (state.buttons[static_cast<std::size_t>(b)] != 0) {
            line << (any ? "," : "") << b + 1;
            any = true;
        }
    }
    line << (any ? "" : "none");
    return line.str();
}

std::optional<std::string> LiveView::Update(int joypad, bool readOk, const JoyState& state,
                                            int buttonCount) {
    std::string line = readOk ? FormatReading(joypad, state, buttonCount)
                              : std::to_string(joypad) + ": cannot be read (unplugged?)";
    std::string& last = last_[joypad];
    if (line == last) {
        return std::nullopt;
    }
    last = line;
    return line;
}

}  // namespace padrix::joytest
