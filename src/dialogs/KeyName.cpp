#include "dialogs/KeyName.h"

#include <optional>

#include "engine/VirtualKeys.h"

namespace padrix {

std::string KeyName(int keyCode) {
    return keyCode >= 0 && keyCode < 256 ? vk::Name(static_cast<std::uint8_t>(keyCode))
                                         : std::string();
}

std::string KeyName(int keyCode, const keycodes::KeyLayout& layout) {
    if (keyCode > 0 && keyCode < 256) {
        if (std::optional<std::string> label = layout.LabelOf(static_cast<std::uint8_t>(keyCode))) {
            return *label;
        }
    }
    return KeyName(keyCode);
}

}  // namespace padrix
