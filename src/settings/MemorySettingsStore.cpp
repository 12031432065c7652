#include "settings/MemorySettingsStore.h"

namespace padrix {

std::string MemorySettingsStore::GetSetting(std::string_view section, std::string_view key,
                                            std::string_view def) {
    const std::lock_guard lock(mutex_);
    const std::string* value = table_.Find(section, key);
    return value != nullptr ? *value : std::string(def);
}

void MemorySettingsStore::SaveSetting(std::string_view section, std::string_view key,
                                      std::string_view value) {
    const std::lock_guard lock(mutex_);
    table_.Put(section, key, value);
}

}  // namespace padrix
