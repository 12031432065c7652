#include "settings/InterfaceLanguage.h"

#include <utility>

#include "settings/LanguageChoice.h"
#include "settings/LanguageForms.h"

namespace padrix {

InterfaceLanguage::InterfaceLanguage(SettingsStore& store, std::vector<std::string> folders,
                                     std::string locale)
    : store_(store), folders_(std::move(folders)), locale_(std::move(locale)) {}

std::vector<LanguageFileEntry> InterfaceLanguage::Files() const {
    return ListLanguageFiles(folders_);
}

std::string InterfaceLanguage::Path() const {
    return EffectiveLanguagePath(StoredLanguagePath(store_), Files(), locale_);
}

bool InterfaceLanguage::Choose(const std::string& path) {
    return ChooseLanguage(store_, path);
}

}  // namespace padrix
