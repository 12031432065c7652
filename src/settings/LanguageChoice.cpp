#include "settings/LanguageChoice.h"

#include <QLocale>
#include <QString>
#include <algorithm>

#include "settings/LanguageFile.h"

namespace padrix {
namespace {

constexpr std::string_view kEnglish = "English";

QString Comparable(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()))
        .normalized(QString::NormalizationForm_C);
}

void AddName(std::vector<std::string>& names, const QString& name) {
    const std::string text = name.toStdString();
    if (!text.empty() && std::find(names.begin(), names.end(), text) == names.end()) {
        names.push_back(text);
    }
}

// The first file whose name is one of names, letter case ignored.
const LanguageFileEntry* FileNamed(const std::vector<LanguageFileEntry>& files,
                                   const std::vector<std::string>& names) {
    for (const std::string& name : names) {
        const QString wanted = Comparable(name);
        for (const LanguageFileEntry& file : files) {
            if (Comparable(file.name).compare(wanted, Qt::CaseInsensitive) == 0) {
                return &file;
            }
        }
    }
    return nullptr;
}

}  // namespace

std::vector<std::string> LanguageNamesOfLocale(std::string_view localeName) {
    // An unknown name, "C" and "POSIX" all make the C locale.
    const QLocale locale(
        QString::fromLatin1(localeName.data(), static_cast<qsizetype>(localeName.size())));
    const QLocale::Language language = locale.language();
    if (language == QLocale::C) {
        return {};
    }
    std::vector<std::string> names;
    AddName(names, locale.nativeLanguageName());
    for (const QLocale& other :
         QLocale::matchingLocales(language, QLocale::AnyScript, QLocale::AnyTerritory)) {
        AddName(names, other.nativeLanguageName());
    }
    AddName(names, QLocale::languageToString(language));
    return names;
}

std::string EffectiveLanguagePath(const std::string& stored,
                                  const std::vector<LanguageFileEntry>& files,
                                  std::string_view localeName) {
    if (FileExists(stored)) {
        return stored;
    }
    if (const LanguageFileEntry* file = FileNamed(files, LanguageNamesOfLocale(localeName))) {
        return file->path;
    }
    if (const LanguageFileEntry* file = FileNamed(files, {std::string(kEnglish)})) {
        return file->path;
    }
    return {};
}

}  // namespace padrix
