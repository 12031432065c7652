#include "platform/wayland/WaylandWindowActivator.h"

#include <utility>

namespace padrix::wayland {

WaylandWindowActivator::WaylandWindowActivator(std::unique_ptr<WaylandToplevels> toplevels,
                                               std::chrono::milliseconds focusWait)
    : toplevels_(std::move(toplevels)), focusWait_(focusWait) {}

bool WaylandWindowActivator::ActivateByTitle(std::string_view title) {
    if (title.empty() || !toplevels_->Start()) {
        return false;
    }
    const std::optional<Toplevel> found = FindByTitle(toplevels_->List(), title);
    if (found) {
        toplevels_->Activate(found->id, focusWait_);
    }
    toplevels_->Stop();
    return found.has_value();
}

std::optional<Toplevel> FindByTitle(const std::vector<Toplevel>& toplevels,
                                    std::string_view title) {
    if (title.empty()) {
        return std::nullopt;
    }
    std::optional<Toplevel> prefixMatch;
    for (const Toplevel& toplevel : toplevels) {
        if (toplevel.title == title) {
            return toplevel;
        }
        if (!prefixMatch && toplevel.title.starts_with(title)) {
            prefixMatch = toplevel;
        }
    }
    return prefixMatch;
}

}  // namespace padrix::wayland
