#include "SettingsLedger.h"

#include <QFile>
#include <QSettings>
#include <QStringList>

#include "settings/IniSettingsStore.h"

namespace padrix::testing {

void SettingsLedger::Stored(const std::string& section, const std::string& key,
                            const std::string& value) {
    expected_[{section, key}] = {value};
}

void SettingsLedger::MaybeStored(const std::string& section, const std::string& key,
                                 const std::string& value) {
    expected_[{section, key}].insert(value);
}

std::string SettingsLedger::Value(const std::string& section, const std::string& key) const {
    const auto found = expected_.find({section, key});
    return found != expected_.end() && found->second.size() == 1 ? *found->second.begin() : "";
}

void SettingsLedger::KeepSections(const std::vector<std::string>& sections) {
    keptSections_ = sections;
    kept_ = ReadSections(sections);
}

SettingsLedger::Entries SettingsLedger::ReadSections(
    const std::vector<std::string>& sections) const {
    QSettings file(QString::fromStdString(path_), QSettings::IniFormat);
    Entries entries;
    for (const std::string& section : sections) {
        file.beginGroup(QString::fromStdString(section));
        for (const QString& key : file.childKeys()) {
            entries[section + "/" + key.toStdString()] = file.value(key).toString().toStdString();
        }
        file.endGroup();
    }
    return entries;
}

std::string SettingsLedger::Check(bool settle) {
    const QString path = QString::fromStdString(path_);
    if (!QFile::exists(path)) {
        return "the settings file is gone";
    }
    if (QSettings(path, QSettings::IniFormat).status() != QSettings::NoError) {
        return "the settings file does not parse";
    }
    std::string problems;
    IniSettingsStore store(path_);
    for (auto& [address, values] : expected_) {
        const std::string found = store.GetSetting(address.first, address.second, "<absent>");
        if (values.count(found) == 0) {
            problems += address.first + "/" + address.second + " is " + found + ", stored " +
                        *values.rbegin() + "; ";
        } else if (settle) {
            values = {found};
        }
    }
    const Entries now = ReadSections(keptSections_);
    for (const auto& [key, value] : kept_) {
        const auto found = now.find(key);
        if (found == now.end() || found->second != value) {
            problems += "profile entry " + key + " lost or changed; ";
        }
    }
    return problems;
}

}  // namespace padrix::testing
