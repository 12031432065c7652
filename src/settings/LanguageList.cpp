#include "settings/LanguageList.h"
#include "common/AsciiText.h"

#include <algorithm>
#include <filesystem>
#include <set>

#include "settings/TextEncoding.h"

namespace padrix {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kPrefix = "padrix_";
constexpr std::string_view kSuffix = ".txt";

// The language's name when file is "Padrix_<name>.txt" in any letter case.
std::optional<std::string> LanguageName(const std::string& file) {
    if (file.size() < kPrefix.size() + kSuffix.size()) {
        return std::nullopt;
    }
    const std::string lower = AsciiLower(file);
    if (!lower.starts_with(kPrefix) || !lower.ends_with(kSuffix)) {
        return std::nullopt;
    }
    return file.substr(kPrefix.size(), file.size() - kPrefix.size() - kSuffix.size());
}

std::vector<LanguageFileEntry> FilesIn(const std::string& folder) {
    std::vector<LanguageFileEntry> found;
    std::error_code error;
    fs::directory_iterator it(folder, error);
    for (; !error && it != fs::directory_iterator(); it.increment(error)) {
        const std::string file = it->path().filename().string();
        std::error_code typeError;
        const std::optional<std::string> name = LanguageName(file);
        if (name && it->is_regular_file(typeError)) {
            found.push_back({*name, (fs::path(folder) / file).string()});
        }
    }
    std::sort(found.begin(), found.end(),
              [](const auto& a, const auto& b) { return a.name < b.name; });
    return found;
}

bool SameFolder(const std::string& a, const std::string& b) {
    std::error_code error;
    return fs::equivalent(a, b, error);
}

}  // namespace

std::vector<LanguageFileEntry> ListLanguageFiles(const std::vector<std::string>& folders) {
    std::vector<LanguageFileEntry> entries;
    std::set<std::string> names;
    for (const std::string& folder : folders) {
        for (LanguageFileEntry& entry : FilesIn(folder)) {
            if (names.insert(entry.name).second) {
                entries.push_back(std::move(entry));
            }
        }
    }
    return entries;
}

std::vector<std::string> LanguageFolders(const std::string& programDir) {
    std::vector<std::string> folders{programDir};
    const std::string installed = PADRIX_LANGUAGE_DIR;
    std::error_code error;
    if (fs::is_directory(installed, error) && !SameFolder(programDir, installed)) {
        folders.push_back(installed);
    }
    return folders;
}

std::optional<std::size_t> FindStoredLanguage(const std::vector<LanguageFileEntry>& entries,
                                              std::string_view path) {
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (entries[i].path == path) {
            return i;
        }
    }
    return std::nullopt;
}

}  // namespace padrix
