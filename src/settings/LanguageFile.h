#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace padrix {

// Language files hold one text per line, ids 0 to 62 in line order.
inline constexpr int kLanguageTextIds = 63;
inline constexpr std::size_t kMaxLanguageLineBytes = 4096;         // longer lines are cut
inline constexpr std::size_t kMaxLanguageFileBytes = 1024 * 1024;  // the rest is not read

// True when path names a file of at least 1 byte; false for an empty path
// and on any error.
bool FileExists(const std::string& path);

// The texts of ids 0 to lastId (at most kLanguageTextIds - 1) in id order, as UTF-8; fewer when
// the bytes hold fewer lines. Lines end at CR, LF or CRLF; spaces around a
// line are removed and empty lines are skipped without counting. The bytes are
// UTF-8 when valid as such, else Windows-1252.
std::vector<std::string> ParseLanguageTexts(std::string_view bytes, int lastId);
// ParseLanguageTexts on the first 1 MiB of a file; empty when it cannot be read.
std::vector<std::string> ReadLanguageFile(const std::string& path, int lastId);

}  // namespace padrix
