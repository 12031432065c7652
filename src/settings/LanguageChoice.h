#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "settings/LanguageList.h"

namespace padrix {

// The names a locale's language goes by, for a locale named as in LANG
// ("fr_CA.UTF-8"): its own names, the locale's first ("français canadien",
// "français", "français suisse"), then its English name ("French"). None for
// "C", "POSIX", an empty or an unknown name.
std::vector<std::string> LanguageNamesOfLocale(std::string_view localeName);

// The language file the interface speaks. A stored path whose file exists
// wins. Otherwise the file named after the language of localeName (one of
// LanguageNamesOfLocale, letter case ignored), else the file named English,
// else none: empty, the built-in texts.
std::string EffectiveLanguagePath(const std::string& stored,
                                  const std::vector<LanguageFileEntry>& files,
                                  std::string_view localeName);

}  // namespace padrix
