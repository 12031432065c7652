#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "Layouts.h"

namespace padrix {

class Session;

// The profile for a window titled `title`, by the rule of the start-up
// detection: the first of the listed `names` that equals the title or
// begins it; an empty name matches nothing.
std::optional<std::string> ProfileForTitle(const std::vector<std::string>& names,
                                           std::string_view title);

// Puts the profile that matches the focused window's title in force for
// every joypad, and what was in force before the first switch back when
// the title matches none. A choice the user made meanwhile (a layout from
// the menu, the configuration dialog's) becomes what comes back.
class WindowFollower {
  public:
    explicit WindowFollower(Session& session) : session_(session) {}

    // The focused window is now titled `title`. Nothing changes while the
    // configuration dialog edits a map.
    void FollowTitle(std::string_view title);
    // Follows the last title it was told again, as when editing has ended.
    void FollowAgain();
    // Back to what was in force before the first switch.
    void Stop();

  private:
    // What was in force: a named profile, else the layout.
    struct InForce {
        std::optional<Layout> layout;
        std::string profile;
    };
    void Restore();

    Session& session_;
    std::string lastTitle_;
    InForce before_;
    std::optional<std::string> switchedTo_;  // the profile this follower put in force
    unsigned long switchChoice_ = 0;         // the session's MapChoices() right after
};

}  // namespace padrix
