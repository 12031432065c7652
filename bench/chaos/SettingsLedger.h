#pragma once

#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace padrix::testing {

// What the chaos run last stored through the program, and the profile
// sections it wrote before the first start, held against the settings file.
// A value stored while the program was killed may or may not have reached the
// file: both the old and the new one are then good, until the file settles it.
class SettingsLedger {
  public:
    explicit SettingsLedger(std::string path) : path_(std::move(path)) {}

    // The program has stored this value.
    void Stored(const std::string& section, const std::string& key, const std::string& value);
    // The program may have stored this value, or kept the one before.
    void MaybeStored(const std::string& section, const std::string& key, const std::string& value);
    // The one value the ledger holds for the key ("" when it holds several).
    std::string Value(const std::string& section, const std::string& key) const;
    // Takes the profile sections as the file has them now: they must never change.
    void KeepSections(const std::vector<std::string>& sections);

    // What is wrong with the file now; empty when nothing is. With `settle`,
    // a key with several good values takes the one in the file.
    std::string Check(bool settle);

  private:
    using Entries = std::map<std::string, std::string>;  // "section/key" as QSettings names it
    Entries ReadSections(const std::vector<std::string>& sections) const;

    std::string path_;
    std::map<std::pair<std::string, std::string>, std::set<std::string>> expected_;
    std::vector<std::string> keptSections_;
    Entries kept_;
};

}  // namespace padrix::testing
