#include "settings/LanguageForms.h"

#include "settings/SettingsStore.h"

#include "settings/OptionKeys.h"

namespace padrix {

int ApplyLanguageFile(const std::string& path, const LanguageForm& form,
                      const LanguageTextSink& apply) {
    if (!FileExists(path)) {
        return 0;
    }
    const std::vector<std::string> texts = ReadLanguageFile(path, form.lastId);
    int given = 0;
    for (std::size_t id = 0; id < texts.size(); ++id) {
        if (form.Has(static_cast<int>(id))) {
            apply(static_cast<int>(id), texts[id]);
            ++given;
        }
    }
    return given;
}

int ApplyLanguageFile(const std::string& path, const LanguageForm& form, LanguageTexts& texts) {
    return ApplyLanguageFile(path, form, [&texts](int id, const std::string& text) {
        texts[static_cast<std::size_t>(id)] = text;
    });
}

std::string StoredLanguagePath(SettingsStore& store) {
    return store.GetSetting(kOptionSection, kKeyLang, kDefaultLang);
}

bool ChooseLanguage(SettingsStore& store, const std::string& path) {
    // File names differ by letter case here, so only an identical path is the
    // language already chosen.
    if (path == StoredLanguagePath(store)) {
        return false;
    }
    store.SaveSetting(kOptionSection, kKeyLang, path);
    return true;
}

}  // namespace padrix
