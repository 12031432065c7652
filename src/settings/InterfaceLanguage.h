#pragma once

#include <string>
#include <vector>

#include "settings/LanguageList.h"
#include "settings/SettingsStore.h"

namespace padrix {

// The interface language that every form shows: the language files in the
// folders, the choice stored under "Lang" and the desktop's locale for
// messages (see EffectiveLanguagePath). Nothing is stored but the user's
// own choice.
class InterfaceLanguage {
  public:
    InterfaceLanguage(SettingsStore& store, std::vector<std::string> folders, std::string locale);

    // The language files, as the configuration dialog lists them.
    std::vector<LanguageFileEntry> Files() const;
    // The file whose texts the forms show; empty for the built-in texts.
    std::string Path() const;
    // The user picked path in the list: stored when it is not the stored
    // path already, and true then; the forms apply it.
    bool Choose(const std::string& path);

  private:
    SettingsStore& store_;
    std::vector<std::string> folders_;
    std::string locale_;
};

}  // namespace padrix
