#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace padrix {

// A language file found on disk: the name shown in the list (the text between
// "Padrix_" and ".txt", unchanged) and the file's full path.
struct LanguageFileEntry {
    std::string name;
    std::string path;
    friend bool operator==(const LanguageFileEntry&, const LanguageFileEntry&) = default;
};

// The files "Padrix_*.txt" (letter case ignored) in each folder, folders in
// the order given, names sorted within a folder. A name already found in an
// earlier folder is not listed again.
std::vector<LanguageFileEntry> ListLanguageFiles(const std::vector<std::string>& folders);

// The folders to search: the program's folder, then the installed data folder
// (<prefix>/share/padrix/languages) when it exists and is another folder.
std::vector<std::string> LanguageFolders(const std::string& programDir);

// The entry whose path equals path exactly (the stored or the effective
// language's).
std::optional<std::size_t> FindStoredLanguage(const std::vector<LanguageFileEntry>& entries,
                                              std::string_view path);

}  // namespace padrix
