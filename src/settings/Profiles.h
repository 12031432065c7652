#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/KeyMap.h"
#include "settings/KeyMapSlots.h"
#include "settings/SettingsStore.h"

namespace padrix {

inline constexpr std::string_view kCustomProfile = "Custom";
inline constexpr std::string_view kGravisKey = "Gravis";

// Loads joypads 1 to joypadCount (clamped to 0..8) from the profile named
// base. Absent keys give the slot's default; a value that is not a key code
// leaves that entry as it was. EscapeKey is not touched.
void LoadProfile(SettingsStore& store, std::string_view base, std::array<KeyMap, kMaxJoypads>& maps,
                 int joypadCount);

// The map side of a committed edit: slots 0 to 13 of tags into joypad joy's
// map (joy 1 to 8; others change nothing). A tag that is not a key code
// leaves that entry as it was.
void TakeConfigValues(const SlotTags& tags, int joy, std::array<KeyMap, kMaxJoypads>& maps);
// The store side of a committed edit: slots 0 to 23 written unchanged, even
// empty, into CustomSection(joy).
void StoreConfigValues(SettingsStore& store, int joy, const SlotTags& tags);
// The decimal text of slots 0 to 13 of a map, for the dialog's buttons.
std::string SlotTag(const KeyMap& map, int slot);

// Profile selection in the dialog: slots 0 to 23 of the section named by
// section; an absent key leaves its tag as it was.
void ReadProfileTags(SettingsStore& store, std::string_view section, SlotTags& tags);

// The Save command's store side. listed is the dialog's profile list
// ("Custom" first). typedName is trimmed of spaces; an empty name or exactly
// "Custom" writes nothing. A name listed in another letter case takes the
// listed spelling; a new name is added to the name list. Writes slots 0 to
// 23 into the profile's section and returns its name, or nullopt.
std::optional<std::string> SaveNamedProfile(SettingsStore& store,
                                            const std::vector<std::string>& listed,
                                            std::string_view typedName, const SlotTags& tags);

// The pad-layout flag of a map section: "0" or "1" (absent reads as "0");
// anything else gives nullopt and the check box stays as it was.
std::optional<bool> ReadGravis(SettingsStore& store, std::string_view section);
void SaveGravis(SettingsStore& store, std::string_view section, bool gravis);

}  // namespace padrix
