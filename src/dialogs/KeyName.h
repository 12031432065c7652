#pragma once

#include <string>

namespace padrix {

// The short name shown beside a pad button for a Windows virtual-key code:
// letters and digits as themselves, a fixed English name for the keys the
// table knows, and the empty text for every other code (Escape among them).
std::string KeyName(int keyCode);

}  // namespace padrix
