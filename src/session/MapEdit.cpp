#include "MapEdit.h"

namespace padrix {

namespace {

bool InRange(int slot) {
    return slot >= 0 && slot < kDialogSlots;
}

}  // namespace

std::string MapEdit::Tag(int slot) const {
    return InRange(slot) ? tags_[static_cast<std::size_t>(slot)] : std::string();
}

void MapEdit::Assign(int slot, int code) {
    if (InRange(slot)) {
        tags_[static_cast<std::size_t>(slot)] = std::to_string(code);
    }
}

void MapEdit::Clear(int slot) {
    if (InRange(slot)) {
        tags_[static_cast<std::size_t>(slot)].clear();
    }
}

}  // namespace padrix
