#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace padrix::wayland {

// Titles are kept to this many bytes, as on X.
inline constexpr std::size_t kMaxTitleBytes = 4096;

// A title as the compositor sent it, made fit to keep: valid UTF-8 stays as
// it is, each byte that is not part of a valid character becomes U+FFFD, and
// the result ends before the character that would take it past
// kMaxTitleBytes.
std::string BoundedTitle(std::string_view sent);

}  // namespace padrix::wayland
