#include "TrayApplication.h"

namespace padrix {

void TrayApplication::GetConfigValues(int joy, SlotTags& tags) {
    MapEdit edit(joy, tags);
    session_.BeginEdit(joy, edit);
    tags = edit.Tags();
}

void TrayApplication::SetConfigValues(int joy, const SlotTags& tags) {
    session_.Commit(MapEdit(joy, tags));
}

void TrayApplication::JoyConfigClosed() {
    if (unloaded_) {
        return;
    }
    session_.FinishEditing();
}

}  // namespace padrix
