#include "settings/KeyMapSlots.h"

namespace padrix {

std::string SlotKey(int slot) {
    return std::to_string(slot);
}

std::string ProfileSection(std::string_view base, int joypad) {
    std::string section(base);
    if (joypad != 1) {
        section += std::to_string(joypad);
    }
    return section;
}

std::string CustomSection(int joy) {
    return ProfileSection("Custom", joy <= 1 ? 1 : joy);
}

}  // namespace padrix
