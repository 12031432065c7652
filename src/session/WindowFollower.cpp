#include "WindowFollower.h"

#include "Session.h"

namespace padrix {

std::optional<std::string> ProfileForTitle(const std::vector<std::string>& names,
                                           std::string_view title) {
    for (const std::string& name : names) {
        if (!name.empty() && title.starts_with(name)) {
            return name;
        }
    }
    return std::nullopt;
}

void WindowFollower::FollowTitle(std::string_view title) {
    lastTitle_ = title;
    if (session_.Editing()) {
        return;
    }
    if (switchedTo_ && session_.MapChoices() != switchChoice_) {
        switchedTo_.reset();  // the user chose meanwhile, maybe that very profile
    }
    const std::optional<std::string> profile =
        ProfileForTitle(session_.AutodetectProfiles(), title);
    if (!profile) {
        Restore();
        return;
    }
    if (switchedTo_ && *switchedTo_ == *profile) {
        return;
    }
    if (!switchedTo_) {
        before_ = {session_.menu().layout, session_.ProfileInForce()};
    }
    if (session_.UseProfile(*profile)) {
        switchedTo_ = session_.ProfileInForce();
        switchChoice_ = session_.MapChoices();
    }
}

void WindowFollower::FollowAgain() {
    const std::string title = lastTitle_;
    FollowTitle(title);
}

void WindowFollower::Stop() {
    if (switchedTo_ && session_.MapChoices() == switchChoice_ && !session_.Editing()) {
        Restore();
    }
    switchedTo_.reset();
}

void WindowFollower::Restore() {
    if (!switchedTo_) {
        return;
    }
    switchedTo_.reset();
    if (!before_.profile.empty() && session_.UseProfile(before_.profile)) {
        return;
    }
    session_.ChooseLayout(before_.layout.value_or(Layout::Custom));
}

}  // namespace padrix
