#pragma once

#include <string>

#include "platform/keycodes/KeyLayout.h"

namespace padrix {

// The short name shown beside a pad button for a Windows virtual-key code:
// letters and digits as themselves, a fixed English name for the keys the
// table knows, and the empty text for every other code (Escape among them).
std::string KeyName(int keyCode);

// The name shown for a key captured on `layout`: a punctuation key shows
// what the layout prints on it (the German "ß", the French ")"; empty for a
// character it cannot name), any other key its KeyName.
std::string KeyName(int keyCode, const keycodes::KeyLayout& layout);

}  // namespace padrix
