#pragma once

#include <filesystem>
#include <istream>
#include <optional>
#include <string>
#include <string_view>

namespace padrix {

// The string value `value` ("" or "@" for the key's default value) of key
// `keyPath` in a Wine registry file (system.reg, user.reg), key paths
// relative to the file's root and compared ignoring letter case. Nothing
// when the key or value is missing or the value is not a string (REG_SZ or
// REG_EXPAND_SZ). The text comes back as UTF-8.
std::optional<std::string> ReadWineRegistryString(std::istream& file, std::string_view keyPath,
                                                  std::string_view value);

// Undoes the escapes of a quoted registry text ("C:\\Games\\x.exe"), `text`
// starting after the opening quote. Returns the text and how many characters
// were used up to and including the closing quote; nothing when the quote
// is missing.
struct UnquotedText {
    std::string text;
    std::size_t used = 0;
};
std::optional<UnquotedText> UnquoteRegistryText(std::string_view text);

// The file on disk that a Windows path names in a Wine prefix: the drive
// letter through "<prefix>/dosdevices/<letter>:", then each folder matched
// ignoring letter case where the exact name does not exist. Empty when the
// path has no drive letter or the drive is not linked.
std::filesystem::path HostPathInPrefix(const std::filesystem::path& prefix,
                                       std::string_view windowsPath);

}  // namespace padrix
