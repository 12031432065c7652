#pragma once

#include <mutex>

#include "settings/SettingsStore.h"
#include "settings/SettingsTable.h"

namespace padrix {

// A store that lives only in memory, with the same naming rules as the file
// store. Meant for tests of the layers above.
class MemorySettingsStore final : public SettingsStore {
  public:
    std::string GetSetting(std::string_view section, std::string_view key,
                           std::string_view def) override;
    void SaveSetting(std::string_view section, std::string_view key,
                     std::string_view value) override;

  private:
    std::mutex mutex_;
    SettingsTable table_;
};

}  // namespace padrix
