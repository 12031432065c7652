#pragma once

#include <memory>
#include <string>

#include "settings/SettingsStore.h"

namespace padrix {

// The settings store kept in an INI file (QSettings). Every SaveSetting has
// replaced the file atomically when it returns, so a process killed at any
// moment leaves either the old or the new file. A damaged or unreadable file
// never stops the program: what can be read is used, everything else reads
// as its default, and the next write keeps every entry that was there.
//
// Section and key names are encoded so that any text (slashes, brackets,
// quotes, newlines, non-ASCII letters, even invalid UTF-8) round-trips and
// can never address another section or key; values come back byte for byte.
//
// The file is read once, when the store is made; keep one store per file and
// share it. The store is safe to use from several threads.
class IniSettingsStore final : public SettingsStore {
  public:
    explicit IniSettingsStore(std::string path);
    ~IniSettingsStore() override;

    std::string GetSetting(std::string_view section, std::string_view key,
                           std::string_view def) override;
    void SaveSetting(std::string_view section, std::string_view key,
                     std::string_view value) override;

    // False when the last SaveSetting could not replace the file. The value
    // is still kept in memory and the write is retried with the next one.
    bool LastSaveReachedFile() const;
    const std::string& Path() const;

  private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace padrix
