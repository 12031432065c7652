#include <filesystem>

#include "formPadrix.h"
#include "settings/LanguageFile.h"
#include "settings/OptionKeys.h"
#include "settings/ProfileNames.h"
#include "settings/Profiles.h"

namespace padrix {

namespace {

constexpr std::string_view kEmulatorTitle = "Connectix Virtual Game Station";
constexpr std::string_view kEmulatorFileEnding = "vgs.exe";
constexpr std::string_view kEmulatorRegistryKey =
    "SOFTWARE\\Connectix\\Connectix Virtual Game Station\\General";
constexpr std::string_view kEmulatorRegistryValue = "Location";
constexpr std::string_view kEnterKeystroke = "~";

}  // namespace

void formPadrix::mnuVGS_Click() {
    PadTables& t = engine_.tables;
    WriteVgsKeys(t.keyMap, t.joypadCount);
    tray_.layout = Layout::Vgs;
    ApplySwapLR();
    SaveLast(Layout::Vgs);
}

void formPadrix::mnuSNES9X_Click() {
    PadTables& t = engine_.tables;
    WriteSnes9xKeys(t.keyMap, t.joypadCount);
    tray_.layout = Layout::Snes9x;
    SaveLast(Layout::Snes9x);
}

void formPadrix::mnuCustom_Click() {
    tray_.layout = Layout::Custom;
    PadTables& t = engine_.tables;
    LoadProfile(ports_.settings, kCustomProfile, t.keyMap, t.joypadCount);
    SaveLast(Layout::Custom);
}

void formPadrix::ApplySwapLR() {
    PadTables& t = engine_.tables;
    padrix::ApplySwapLR(t.keyMap, t.joypadCount, tray_.SwapLR);
}

void formPadrix::ApplyLayout(Layout layout) {
    switch (layout) {
        case Layout::Snes9x:
            mnuSNES9X_Click();
            break;
        case Layout::Vgs:
            mnuVGS_Click();
            break;
        case Layout::Custom:
            mnuCustom_Click();
            break;
    }
}

void formPadrix::SaveLast(Layout layout) {
    ports_.settings.SaveSetting(kOptionSection, kKeyLast, LastText(layout));
    RefreshMenu();
}

void formPadrix::StartEmulator(bool atStartup) {
    if (tray_.AutodetectProfile && AutodetectProfile()) {
        return;
    }
    ApplyLayout(tray_.layout.value_or(Layout::Custom));
    if (ports_.windows.ActivateByTitle(kEmulatorTitle)) {
        engine_.output().SendKeys(kEnterKeystroke);
        return;
    }
    if (LaunchEmulator()) {
        return;
    }
    if (!atStartup) {
        mnuConfig_Click();
    }
}

bool formPadrix::AutodetectProfile() {
    for (const std::string& title : AutodetectProfileNames(ports_.settings)) {
        if (!ports_.windows.ActivateByTitle(title)) {
            continue;
        }
        engine_.options.DosMode = true;
        PadTables& t = engine_.tables;
        LoadProfile(ports_.settings, title, t.keyMap, t.joypadCount);
        engine_.output().SendKeys(kEnterKeystroke);
        RefreshMenu();
        return true;
    }
    return false;
}

bool formPadrix::LaunchEmulator() {
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
