#pragma once

#include <QString>
#include <string>
#include <vector>

#include "settings/LanguageForms.h"

namespace padrix {

// The texts of one window, by language id: the English ones until a language
// file gives its own, and again after a file that lacks them. A translation
// that drops the "%1" its English text has is not taken.
class WindowTexts {
  public:
    WindowTexts(const LanguageForm& form, std::vector<QString> english);

    // Back to English, then the texts of the file at path (none for "").
    void Load(const std::string& path);
    const QString& Text(int id) const;
    // Text(id) with its %1 replaced by number.
    QString Numbered(int id, int number) const;

  private:
    LanguageForm form_;
    std::vector<QString> english_;
    std::vector<QString> texts_;
};

// How many things of a kind, in words: the one-form for the counts the
// language names in its singular line (for example "1", or "0 1"), else the
// other form. A singular line without a number counts as "1".
QString CountedText(const WindowTexts& texts, int count, int oneId, int otherId, int singularId);

}  // namespace padrix
