#pragma once

#include <array>
#include <string_view>

namespace padrix {

// The entries of the tray menu that carry a caption, top to bottom. Their
// order is also the order of their texts in a language file (ids 1 to 16).
enum class MenuEntry {
    Enabled,
    Config,
    Rumble,
    Select,
    AutoFire,
    Startup,
    Logitech,
    AutodetectProfile,
    SwapLR,
    DOSApplication,
    PollRate,
    SNES9X,
    VGS,
    Custom,
    About,
    Exit,
};

inline constexpr int kMenuEntryCount = 16;

struct MenuEntryInfo {
    MenuEntry entry;
    std::string_view objectName;  // mnuEnabled ...
    std::string_view caption;     // the English text
    bool checkable;
    bool separatorAfter;
};

inline constexpr std::array<MenuEntryInfo, kMenuEntryCount> kMenuEntries{{
    {MenuEntry::Enabled, "mnuEnabled", "Enabled", true, true},
    {MenuEntry::Config, "mnuConfig", "Configure Joypad...", false, false},
    {MenuEntry::Rumble, "mnuRumble", "Force Feedback...", false, true},
    {MenuEntry::Select, "mnuSelect", "Use M button as Select", true, false},
    {MenuEntry::AutoFire, "mnuAutoFire", "Allow Auto-Fire", true, false},
    {MenuEntry::Startup, "mnuStartup", "Start Padrix with VGS", true, false},
    {MenuEntry::Logitech, "mnuLogitech", "Logitech Wingman Patch", true, true},
    {MenuEntry::AutodetectProfile, "mnuAutodetectProfile", "Auto-detect profile", true, false},
    {MenuEntry::SwapLR, "mnuSwapLR", "Swap L1/R1 with L2/R2 Buttons", true, false},
    {MenuEntry::DOSApplication, "mnuDOSApplication", "Using MS-DOS based Application", true, false},
    {MenuEntry::PollRate, "mnuPollRate", "Continuous Polling", true, true},
    {MenuEntry::SNES9X, "mnuSNES9X", "SNES9X", true, false},
    {MenuEntry::VGS, "mnuVGS", "Virtual Game Station", true, false},
    {MenuEntry::Custom, "mnuCustom", "Custom", true, true},
    {MenuEntry::About, "mnuAbout", "About...", false, true},
    {MenuEntry::Exit, "mnuExit", "E&xit", false, false},
}};

inline constexpr int Index(MenuEntry e) {
    return static_cast<int>(e);
}

}  // namespace padrix
