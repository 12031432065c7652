#pragma once

#include <chrono>
#include <memory>

#include "platform/WindowActivator.h"
#include "platform/wayland/WaylandToplevels.h"

namespace padrix::wayland {

// Activates a toplevel by title through the compositor's list, which it asks
// for only while it looks. Waits, at most `focusWait`, until the toplevel is
// active (and so has the keyboard focus), so that a key sent next reaches it.
class WaylandWindowActivator : public WindowActivator {
  public:
    static constexpr std::chrono::milliseconds kDefaultFocusWait{500};

    explicit WaylandWindowActivator(std::unique_ptr<WaylandToplevels> toplevels,
                                    std::chrono::milliseconds focusWait = kDefaultFocusWait);

    bool ActivateByTitle(std::string_view title) override;

  private:
    std::unique_ptr<WaylandToplevels> toplevels_;
    std::chrono::milliseconds focusWait_;
};

// The toplevel whose title equals `title`, else the first whose title begins
// with it; nothing for an empty title.
std::optional<Toplevel> FindByTitle(const std::vector<Toplevel>& toplevels, std::string_view title);

}  // namespace padrix::wayland
