#include "settings/ProfileNames.h"

#include "settings/SettingsTable.h"

namespace padrix {
namespace {

constexpr std::string_view kNamesReadSection = "names";

std::string NameAt(SettingsStore& store, int key) {
    return store.GetSetting(kNamesReadSection, std::to_string(key), "");
}

}  // namespace

std::vector<std::string> ListProfileNames(SettingsStore& store) {
    std::vector<std::string> names;
    for (int key = 1; key <= kListedNameKeys; ++key) {
        std::string name = NameAt(store, key);
        if (!name.empty()) {
            names.push_back(std::move(name));
        }
    }
    return names;
}

std::vector<std::string> AutodetectProfileNames(SettingsStore& store) {
    std::vector<std::string> names;
    for (int key = 1; key <= kListedNameKeys; ++key) {
        std::string name = NameAt(store, key);
        if (name.empty()) {
            break;
        }
        names.push_back(std::move(name));
    }
    return names;
}

std::optional<std::string> FindProfileName(SettingsStore& store, std::string_view name) {
    const std::string folded = FoldName(name);
    for (std::string& listed : ListProfileNames(store)) {
        if (FoldName(listed) == folded) {
            return std::move(listed);
        }
    }
    return std::nullopt;
}

int AddProfileName(SettingsStore& store, std::string_view name) {
    int key = 1;
    while (!NameAt(store, key).empty()) {
        ++key;
    }
    store.SaveSetting(kNamesSection, std::to_string(key), name);
    return key;
}

}  // namespace padrix
