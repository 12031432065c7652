#pragma once

#include <array>
#include <functional>
#include <string>

#include "settings/LanguageFile.h"

namespace padrix {

class SettingsStore;

// The text ids one form takes from a language file: one single id (or -1)
// and the range firstId to lastId; reading stops after lastId.
struct LanguageForm {
    int singleId;
    int firstId;
    int lastId;
    bool Has(int id) const { return id == singleId || (id >= firstId && id <= lastId); }
};

inline constexpr LanguageForm kMainFormTexts{-1, 0, 36};
inline constexpr LanguageForm kConfigDialogTexts{1, 17, 23};
inline constexpr LanguageForm kForceFeedbackTexts{3, 24, 28};
inline constexpr LanguageForm kGameControllersTexts{-1, 37, 54};
inline constexpr LanguageForm kAutoConfigTexts{-1, 55, 62};

// One text slot per id; a form fills the slots it owns.
using LanguageTexts = std::array<std::string, kLanguageTextIds>;
using LanguageTextSink = std::function<void(int id, const std::string& text)>;

// Gives every text of form's ids that the file at path reaches to apply.
// Nothing happens when FileExists(path) is false. Returns the count given.
int ApplyLanguageFile(const std::string& path, const LanguageForm& form,
                      const LanguageTextSink& apply);
// The same into a table of slots; slots the file does not reach keep their text.
int ApplyLanguageFile(const std::string& path, const LanguageForm& form, LanguageTexts& texts);

// The path in "Lang" of section "Custom" (empty when none was chosen).
std::string StoredLanguagePath(SettingsStore& store);
// Choosing a language: when path differs from the stored one (letter case
// ignored) it is stored and true is returned; the caller then applies it.
bool ChooseLanguage(SettingsStore& store, const std::string& path);

}  // namespace padrix
