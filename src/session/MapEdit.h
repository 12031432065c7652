#pragma once

#include <string>

#include "settings/KeyMapSlots.h"

namespace padrix {

// A working copy of one joypad's slots while the configuration dialog edits
// it; the session takes it back on commit.
class MapEdit {
  public:
    MapEdit() = default;
    MapEdit(int joy, SlotTags tags) : joy_(joy), tags_(std::move(tags)) {}

    int Joypad() const { return joy_; }
    const SlotTags& Tags() const { return tags_; }
    // Slot 0 to 23's tag; empty outside.
    std::string Tag(int slot) const;

    // Slot 0 to 23 holds key code `code`, or nothing; other slots change nothing.
    void Assign(int slot, int code);
    void Clear(int slot);
    void Replace(const SlotTags& tags) { tags_ = tags; }

  private:
    int joy_ = 0;
    SlotTags tags_{};
};

}  // namespace padrix
