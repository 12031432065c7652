#include "settings/Profiles.h"

#include <algorithm>

#include "settings/ProfileNames.h"
#include "settings/SettingValues.h"
#include "settings/SettingsTable.h"
#include "settings/TrimSpaces.h"

namespace padrix {
namespace {

bool IsJoypad(int joy) {
    return joy >= 1 && joy <= kMaxJoypads;
}

KeyMap& MapOf(std::array<KeyMap, kMaxJoypads>& maps, int joy) {
    return maps[static_cast<std::size_t>(joy - 1)];
}

void LoadSlot(SettingsStore& store, const std::string& section, int slot, KeyMap& map) {
    const std::string text =
        store.GetSetting(section, SlotKey(slot), FromInt(DefaultSlotCode(slot)));
    if (const std::optional<std::uint8_t> code = ToKeyCode(text)) {
        *SlotEntry(map, slot) = *code;
    }
}

void WriteSlots(SettingsStore& store, std::string_view section, const SlotTags& tags) {
    for (int slot = 0; slot < kDialogSlots; ++slot) {
        store.SaveSetting(section, SlotKey(slot), tags[static_cast<std::size_t>(slot)]);
    }
}

}  // namespace

void LoadProfile(SettingsStore& store, std::string_view base, std::array<KeyMap, kMaxJoypads>& maps,
                 int joypadCount) {
    const int count = std::clamp(joypadCount, 0, kMaxJoypads);
    for (int joy = 1; joy <= count; ++joy) {
        const std::string section = ProfileSection(base, joy);
        for (int slot = 0; slot < kMapSlots; ++slot) {
            LoadSlot(store, section, slot, MapOf(maps, joy));
        }
    }
}

void TakeConfigValues(const SlotTags& tags, int joy, std::array<KeyMap, kMaxJoypads>& maps) {
    if (!IsJoypad(joy)) {
        return;
    }
    for (int slot = 0; slot < kShownSlots; ++slot) {
        if (const auto code = ToKeyCode(tags[static_cast<std::size_t>(slot)])) {
            *SlotEntry(MapOf(maps, joy), slot) = *code;
        }
    }
}

void StoreConfigValues(SettingsStore& store, int joy, const SlotTags& tags) {
    WriteSlots(store, CustomSection(joy), tags);
}

std::string SlotTag(const KeyMap& map, int slot) {
    const std::uint8_t* entry = SlotEntry(map, slot);
    return entry != nullptr ? FromInt(*entry) : std::string();
}

void ReadProfileTags(SettingsStore& store, std::string_view section, SlotTags& tags) {
    for (int slot = 0; slot < kDialogSlots; ++slot) {
        std::string& tag = tags[static_cast<std::size_t>(slot)];
        tag = store.GetSetting(section, SlotKey(slot), tag);
    }
}

std::optional<std::string> SaveNamedProfile(SettingsStore& store,
                                            const std::vector<std::string>& listed,
                                            std::string_view typedName, const SlotTags& tags) {
    std::string name(TrimSpaces(typedName));
    if (name.empty() || name == kCustomProfile) {
        return std::nullopt;
    }
    const std::string folded = FoldName(name);
    const auto match = std::find_if(listed.begin(), listed.end(), [&](const std::string& entry) {
        return FoldName(entry) == folded;
    });
    if (match != listed.end()) {
        name = *match;
    } else {
        AddProfileName(store, name);
    }
    WriteSlots(store, name, tags);
    return name;
}

std::optional<bool> ReadGravis(SettingsStore& store, std::string_view section) {
    const std::optional<std::int16_t> value = ToInt16(store.GetSetting(section, kGravisKey, "0"));
    if (!value || (*value != 0 && *value != 1)) {
        return std::nullopt;
    }
    return *value == 1;
}

void SaveGravis(SettingsStore& store, std::string_view section, bool gravis) {
    store.SaveSetting(section, kGravisKey, gravis ? "1" : "0");
}

}  // namespace padrix
