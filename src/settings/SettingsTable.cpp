#include "settings/SettingsTable.h"
#include "common/AsciiText.h"

#include <QString>

#include "settings/TextEncoding.h"

namespace padrix {

std::string FoldName(std::string_view name) {
    if (!IsValidUtf8(name)) {
        // Folded valid UTF-8 stays valid, so these can never meet a valid name.
        return AsciiLower(name);
    }
    const QString text = QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
    return text.toCaseFolded().toStdString();
}

const std::string* SettingsTable::Find(std::string_view section, std::string_view key) const {
    const auto s = sections_.find(FoldName(section));
    if (s == sections_.end()) {
        return nullptr;
    }
    const auto e = s->second.entries.find(FoldName(key));
    return e == s->second.entries.end() ? nullptr : &e->second.value;
}

SettingsTable::Address SettingsTable::Put(std::string_view section, std::string_view key,
                                          std::string_view value) {
    Section& s =
        sections_.try_emplace(FoldName(section), Section{std::string(section), {}}).first->second;
    Entry& e = s.entries.try_emplace(FoldName(key), Entry{std::string(key), {}}).first->second;
    e.value = value;
    return {s.name, e.key};
}

}  // namespace padrix
