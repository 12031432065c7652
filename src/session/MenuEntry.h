#pragma once

#include <array>
#include <string_view>

namespace padrix {

// The entries of the tray menu that carry a caption. The first sixteen take
// their texts from a language file's ids 1 to 16, in this order; the later
// ones came with later versions and have ids of their own (kMenuEntries).
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
    FollowWindow,
    StartWithDesktop,
};

inline constexpr int kMenuEntryCount = 18;

struct MenuEntryInfo {
    MenuEntry entry;
    int textId;                   // its line in a language file
    std::string_view objectName;  // mnuEnabled ...
    std::string_view caption;     // the English text
    bool checkable;
    bool separatorAfter;
};

inline constexpr std::array<MenuEntryInfo, kMenuEntryCount> kMenuEntries{{
    {MenuEntry::Enabled, 1, "mnuEnabled", "Enabled", true, true},
    {MenuEntry::Config, 2, "mnuConfig", "Configure Joypad...", false, false},
    {MenuEntry::Rumble, 3, "mnuRumble", "Force Feedback...", false, true},
    {MenuEntry::Select, 4, "mnuSelect", "Use M button as Select", true, false},
    {MenuEntry::AutoFire, 5, "mnuAutoFire", "Allow Auto-Fire", true, false},
    {MenuEntry::Startup, 6, "mnuStartup", "Start Padrix with VGS", true, false},
    {MenuEntry::StartWithDesktop, 30, "mnuStartWithDesktop", "Start with the desktop", true, false},
    {MenuEntry::Logitech, 7, "mnuLogitech", "Logitech Wingman Patch", true, true},
    {MenuEntry::AutodetectProfile, 8, "mnuAutodetectProfile", "Auto-detect profile", true, false},
    {MenuEntry::FollowWindow, 29, "mnuFollowWindow", "Follow the active window", true, false},
    {MenuEntry::SwapLR, 9, "mnuSwapLR", "Swap L1/R1 with L2/R2 Buttons", true, false},
    {MenuEntry::DOSApplication, 10, "mnuDOSApplication", "Using MS-DOS based Application", true,
     false},
    {MenuEntry::PollRate, 11, "mnuPollRate", "Continuous Polling", true, true},
    {MenuEntry::SNES9X, 12, "mnuSNES9X", "SNES9X", true, false},
    {MenuEntry::VGS, 13, "mnuVGS", "Virtual Game Station", true, false},
    {MenuEntry::Custom, 14, "mnuCustom", "Custom", true, true},
    {MenuEntry::About, 15, "mnuAbout", "About...", false, true},
    {MenuEntry::Exit, 16, "mnuExit", "E&xit", false, false},
}};

inline constexpr int Index(MenuEntry e) {
    return static_cast<int>(e);
}

}  // namespace padrix
