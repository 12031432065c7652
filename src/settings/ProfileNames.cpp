#include "settings/ProfileNames.h"

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

int AddProfileName(SettingsStore& store, std::string_view name) {
    int key = 1;
    while (!NameAt(store, key).empty()) {
        ++key;
    }
    store.SaveSetting(kNamesSection, std::to_string(key), name);
    return key;
}

}  // namespace padrix
