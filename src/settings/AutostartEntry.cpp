#include "settings/AutostartEntry.h"

#include <algorithm>
#include <cerrno>
#include <fstream>
#include <system_error>

#include "settings/TextEncoding.h"
#include "settings/TrimSpaces.h"

namespace padrix {
namespace {

// Characters that make an Exec argument need quotes, and those that need a
// backslash inside them (the freedesktop.org rules for an Exec line).
constexpr std::string_view kReserved = " \"'\\><~|&;$*?#()`";
constexpr std::string_view kEscapedInQuotes = "\"`$\\";

bool HasControlCharacter(std::string_view text) {
    for (const char c : text) {
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f) {
            return true;
        }
    }
    return false;
}

// One argument as the Exec key holds it: quoted where needed, % doubled,
// then every backslash doubled by the escaping of string values, which a
// reader undoes before the quoting.
std::string ExecArgument(std::string_view argument) {
    const bool quoted = argument.find_first_of(kReserved) != std::string_view::npos;
    std::string unescaped = quoted ? "\"" : "";
    for (const char c : argument) {
        if (quoted && kEscapedInQuotes.find(c) != std::string_view::npos) {
            unescaped += '\\';
        }
        unescaped += c;
        if (c == '%') {
            unescaped += '%';
        }
    }
    if (quoted) {
        unescaped += '"';
    }
    std::string value;
    for (const char c : unescaped) {
        value += c;
        if (c == '\\') {
            value += '\\';
        }
    }
    return value;
}

// Blanks around a line, a key or a value; \r of a CRLF line end with them.
constexpr std::string_view kBlanks = " \t\r";

// An entry is a few hundred bytes; what lies beyond this is not read.
constexpr std::size_t kMaxEntryBytes = 64 * 1024;

std::string Failure(std::string_view action, const std::filesystem::path& file,
                    const std::error_code& error) {
    return std::string(action) + " " + file.string() + ": " + error.message();
}

}  // namespace

std::filesystem::path AutostartFileIn(std::string_view configFolder) {
    return std::filesystem::path(configFolder) / "autostart" / "padrix.desktop";
}

std::optional<std::string> AutostartContents(std::string_view program,
                                             std::string_view settingsFile) {
    const auto nameable = [](std::string_view path) {
        return !path.empty() && path.front() == '/' && IsValidUtf8(path) &&
               !HasControlCharacter(path);
    };
    if (!nameable(program) || (!settingsFile.empty() && !nameable(settingsFile))) {
        return std::nullopt;
    }
    std::string exec = ExecArgument(program) + " --no-launch";
    if (!settingsFile.empty()) {
        exec.append(" --settings ").append(ExecArgument(settingsFile));
    }
    return "[Desktop Entry]\n"
           "Type=Application\n"
           "Name=Padrix\n"
           "Comment=Game controller buttons as keys, from the notification area\n"
           "Exec=" +
           exec +
           "\n"
           "Icon=padrix\n"
           "Terminal=false\n";
}

bool AutostartSwitchedOn(std::string_view contents) {
    bool inMainGroup = false;
    std::size_t pos = 0;
    while (pos < contents.size()) {
        const std::size_t end = std::min(contents.find('\n', pos), contents.size());
        const std::string_view line = TrimSpaces(contents.substr(pos, end - pos), kBlanks);
        pos = end + 1;
        if (line.starts_with('[')) {
            inMainGroup = line == "[Desktop Entry]";
            continue;
        }
        const std::size_t equals = line.find('=');
        if (!inMainGroup || equals == std::string_view::npos) {
            continue;
        }
        const std::string_view key = TrimSpaces(line.substr(0, equals), kBlanks);
        const std::string_view value = TrimSpaces(line.substr(equals + 1), kBlanks);
        if ((key == "Hidden" && value == "true") ||
            (key == "X-GNOME-Autostart-enabled" && value == "false")) {
            return false;
        }
    }
    return true;
}

bool AutostartEntry::StartsWithDesktop() const {
    std::error_code error;
    if (!std::filesystem::is_regular_file(file_, error)) {
        return false;
    }
    std::ifstream in(file_, std::ios::binary);
    if (!in) {
        return false;
    }
    std::string contents(kMaxEntryBytes, '\0');
    in.read(contents.data(), static_cast<std::streamsize>(contents.size()));
    contents.resize(static_cast<std::size_t>(in.gcount()));
    return AutostartSwitchedOn(contents);
}

std::optional<std::string> AutostartEntry::Write(std::string_view program,
                                                 std::string_view settingsFile) const {
    const std::optional<std::string> contents = AutostartContents(program, settingsFile);
    if (!contents) {
        return "Cannot name the program " + std::string(program) + " in " + file_.string();
    }
    std::error_code error;
    std::filesystem::create_directories(file_.parent_path(), error);
    if (error) {
        return Failure("Cannot make the folder of", file_, error);
    }
    // Written beside it and renamed over it: the desktop never reads half a file.
    std::filesystem::path partial = file_;
    partial += ".new";
    {
        errno = 0;
        std::ofstream out(partial, std::ios::binary | std::ios::trunc);
        if (out) {
            out << *contents;
            out.close();
        }
        if (!out) {
            error.assign(errno != 0 ? errno : EIO, std::generic_category());
        }
    }
    if (!error) {
        std::filesystem::rename(partial, file_, error);
    }
    if (error) {
        std::error_code ignored;
        std::filesystem::remove(partial, ignored);
        return Failure("Cannot write", file_, error);
    }
    return std::nullopt;
}

std::optional<std::string> AutostartEntry::Remove() const {
    std::error_code error;
    std::filesystem::remove(file_, error);
    if (error) {
        return Failure("Cannot remove", file_, error);
    }
    return std::nullopt;
}

}  // namespace padrix
