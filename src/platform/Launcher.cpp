#include "platform/Launcher.h"
#include "common/AsciiText.h"

#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <utility>
#include <vector>

#include "platform/WineRegistry.h"

namespace padrix {

namespace {

bool IsWindowsProgram(const std::filesystem::path& file) {
    return AsciiLower(file.extension().string()) == ".exe";
}

std::filesystem::path DefaultWinePrefix() {
    if (const char* prefix = std::getenv("WINEPREFIX"); prefix != nullptr && *prefix != '\0') {
        return prefix;
    }
    if (const char* home = std::getenv("HOME"); home != nullptr && *home != '\0') {
        return std::filesystem::path(home) / ".wine";
    }
    return {};
}

QString ToQString(const std::filesystem::path& p) {
    return QString::fromStdString(p.string());
}

}  // namespace

Launcher::Launcher(LauncherTools tools)
    : tools_(std::move(tools)),
      prefix_(tools_.winePrefix.empty() ? DefaultWinePrefix() : tools_.winePrefix) {}

std::optional<std::filesystem::path> Launcher::FindFileEndingIn(const std::filesystem::path& folder,
                                                                std::string_view suffix) {
    namespace fs = std::filesystem;
    const std::string wanted = AsciiLower(suffix);
    std::vector<fs::path> matches;
    std::error_code error;
    // Stepping with an error code: a folder that fails half-way ends the
    // search instead of throwing.
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        const std::string name = AsciiLower(it->path().filename().string());
        std::error_code typeError;
        if (name.ends_with(wanted) && it->is_regular_file(typeError)) {
            matches.push_back(it->path());
        }
    }
    if (matches.empty()) {
        return std::nullopt;
    }
    return *std::min_element(matches.begin(), matches.end());
}

bool Launcher::Start(const std::string& program, const std::string& argument,
                     const std::filesystem::path& workingDir) const {
    QProcess process;
    process.setProgram(QString::fromStdString(program));
    if (!argument.empty()) {
        process.setArguments({QString::fromStdString(argument)});
    }
    process.setWorkingDirectory(ToQString(workingDir));
    if (!prefix_.empty()) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("WINEPREFIX", ToQString(prefix_));
        process.setProcessEnvironment(env);
    }
    return process.startDetached();
}

bool Launcher::OpenWithDefaultHandler(const std::filesystem::path& file,
                                      const std::filesystem::path& workingDir) const {
    if (IsWindowsProgram(file)) {
        return StartProgram(file, workingDir);
    }
    return Start(tools_.opener, file.string(), workingDir);
}

bool Launcher::StartProgram(const std::filesystem::path& program,
                            const std::filesystem::path& workingDir) const {
    if (IsWindowsProgram(program)) {
        return Start(tools_.wine, program.string(), workingDir);
    }
    return Start(program.string(), {}, workingDir);
}

std::string Launcher::ReadRegistryString(RegistryRoot root, std::string_view subkey,
                                         std::string_view value) const {
    if (prefix_.empty()) {
        return {};
    }
    const char* file = root == RegistryRoot::kLocalMachine ? "system.reg" : "user.reg";
    std::ifstream reg(prefix_ / file);
    if (!reg) {
        return {};
    }
    return ReadWineRegistryString(reg, subkey, value).value_or(std::string());
}

std::filesystem::path Launcher::HostPathOfWindowsPath(std::string_view windowsPath) const {
    if (prefix_.empty()) {
        return {};
    }
    return HostPathInPrefix(prefix_, windowsPath);
}

}  // namespace padrix
