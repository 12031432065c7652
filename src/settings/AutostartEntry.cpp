#include "settings/AutostartEntry.h"

#include <cerrno>
#include <fstream>
#include <system_error>

#include "settings/TextEncoding.h"

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

bool AutostartEntry::Exists() const {
    std::error_code ignored;
    return std::filesystem::exists(file_, ignored);
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
