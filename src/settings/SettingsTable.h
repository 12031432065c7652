#pragma once

#include <map>
#include <string>
#include <string_view>

namespace padrix {

// Folds a section or key name for comparison without regard to letter case.
// Valid UTF-8 is case-folded as Unicode text; other bytes fold only A to Z.
std::string FoldName(std::string_view name);

// Sections of keys holding text, names compared without regard to letter
// case and spelled the way they were first put in.
class SettingsTable {
  public:
    struct Address {
        std::string section;
        std::string key;
        friend auto operator<=>(const Address&, const Address&) = default;
    };

    // The value under section/key, or nullptr.
    const std::string* Find(std::string_view section, std::string_view key) const;
    // Sets the value; returns the address as first spelled.
    Address Put(std::string_view section, std::string_view key, std::string_view value);

  private:
    struct Entry {
        std::string key;
        std::string value;
    };
    struct Section {
        std::string name;
        std::map<std::string, Entry> entries;  // by folded key
    };
    std::map<std::string, Section> sections_;  // by folded name
};

}  // namespace padrix
