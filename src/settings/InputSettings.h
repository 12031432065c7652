#pragma once

#include <string_view>

namespace padrix {

class SettingsStore;

// Key "Polling" of section "Custom": how the polling cycle is woken.
inline constexpr std::string_view kKeyPolling = "Polling";
// Key "DeadZone" of a joypad's Custom section (CustomSection).
inline constexpr std::string_view kKeyDeadZone = "DeadZone";

// kEvents: the cycle runs when a controller or key reports something, and
// every millisecond only while anything is active. kTimer: every
// millisecond, always.
enum class PollingMode { kEvents, kTimer };

// "timer" (letter case ignored) gives kTimer; "events", any other text and
// none give kEvents.
PollingMode ReadPollingMode(SettingsStore& store);

// Joypad joy's dead zone in percent, 0 to 100: a whole number read from its
// Custom section; absent or not a number gives the default, and a number
// outside 0 to 100 is taken to the nearer end.
int ReadDeadZone(SettingsStore& store, int joy);
void SaveDeadZone(SettingsStore& store, int joy, int percent);

}  // namespace padrix
