#pragma once

#include <cstdint>
#include <string_view>

namespace padrix {

// The section holding the program's options (and joypad 1's Custom map).
inline constexpr std::string_view kOptionSection = "Custom";

// Option keys, in the order start-up reads them.
inline constexpr std::string_view kKeySelect = "Select";
inline constexpr std::string_view kKeyAutoFire = "AutoFire";
inline constexpr std::string_view kKeyLogitech = "Logitech";
inline constexpr std::string_view kKeyVGSStartUp = "VGSStartUp";
inline constexpr std::string_view kKeyRumbleType = "RumbleType";
inline constexpr std::string_view kKeyAutodetect = "Autodetect";
inline constexpr std::string_view kKeyDOS = "DOS";
inline constexpr std::string_view kKeyMaxPollRate = "MaxPollRate";
inline constexpr std::string_view kKeyFollowWindow = "FollowWindow";
inline constexpr std::string_view kKeyJoypads = "joypads";
inline constexpr std::string_view kKeyLast = "Last";
inline constexpr std::string_view kKeyLang = "Lang";
// The desktop output backend to use; empty lets the program choose.
inline constexpr std::string_view kKeyOutput = "Output";

// Defaults when a key is absent.
inline constexpr bool kDefaultAutoFire = true;
inline constexpr bool kDefaultVGSStartUp = true;
inline constexpr std::int16_t kDefaultRumbleType = 2;
inline constexpr bool kDefaultAutodetect = true;
inline constexpr bool kDefaultDOS = false;
inline constexpr bool kDefaultMaxPollRate = false;
inline constexpr bool kDefaultFollowWindow = false;
inline constexpr std::string_view kDefaultJoypads = "11111111";
inline constexpr std::string_view kDefaultLast = "2";
inline constexpr std::string_view kDefaultLang = "";

// "Select" defaults to True unless joypad 1's name contains "SideWinder"
// (letter case ignored).
bool DefaultUseMAsSelect(std::string_view joypad1Name);
// "Logitech" defaults to True when joypad 1's name contains "Logitech"
// (letter case ignored).
bool DefaultLogitechPatch(std::string_view joypad1Name);

// Values of "Last".
inline constexpr std::string_view kLastSnes9x = "1";
inline constexpr std::string_view kLastVgs = "2";
inline constexpr std::string_view kLastCustom = "3";

}  // namespace padrix
