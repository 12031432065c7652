#include <filesystem>

#include "TrayApplication.h"
#include "settings/LanguageFile.h"

namespace padrix {

namespace {

constexpr std::string_view kEmulatorTitle = "Connectix Virtual Game Station";
constexpr std::string_view kEmulatorFileEnding = "vgs.exe";
constexpr std::string_view kEmulatorRegistryKey =
    "SOFTWARE\\Connectix\\Connectix Virtual Game Station\\General";
constexpr std::string_view kEmulatorRegistryValue = "Location";
constexpr std::string_view kEnterKeystroke = "~";

}  // namespace

void TrayApplication::StartEmulator(bool atStartup) {
    if (session_.menu().autodetectProfile && AutodetectProfile()) {
        return;
    }
    session_.ChooseLayout(session_.menu().layout.value_or(Layout::Custom));
    if (ports_.windows.ActivateByTitle(kEmulatorTitle)) {
        session_.engine().output().SendKeys(kEnterKeystroke);
        return;
    }
    if (LaunchEmulator()) {
        return;
    }
    if (!atStartup) {
        ShowConfig();
    }
}

bool TrayApplication::AutodetectProfile() {
    for (const std::string& title : session_.AutodetectProfiles()) {
        if (!ports_.windows.ActivateByTitle(title)) {
            continue;
        }
        session_.UseDetectedProfile(title);
        session_.engine().output().SendKeys(kEnterKeystroke);
        return true;
    }
    return false;
}

bool TrayApplication::LaunchEmulator() {
    namespace fs = std::filesystem;
    const fs::path folder(paths_.programFolder);
    if (const auto beside = Launcher::FindFileEndingIn(folder, kEmulatorFileEnding)) {
        ports_.launcher.OpenWithDefaultHandler(*beside, folder);
        return true;
    }
    const std::string location = ports_.launcher.ReadRegistryString(
        RegistryRoot::kLocalMachine, kEmulatorRegistryKey, kEmulatorRegistryValue);
    if (location.empty()) {
        return false;
    }
    const fs::path program = location.front() == '/'
                                 ? fs::path(location)
                                 : ports_.launcher.HostPathOfWindowsPath(location);
    if (program.empty() || !FileExists(program.string())) {
        return false;
    }
    ports_.launcher.StartProgram(program, program.parent_path());
    return true;
}

}  // namespace padrix
