#include "AppTexts.h"
#include "TrayApplication.h"

namespace padrix {

void TrayApplication::SetActiveWindowWatch(ActiveWindowWatch& watch) {
    StopFollowing();
    activeWindow_ = &watch;
    RefreshFollowEntry();
    UpdateFollowing();
}

void TrayApplication::UpdateFollowing() {
    const bool wanted =
        loaded_ && !unloaded_ && session_.menu().followWindow && activeWindow_ != nullptr;
    if (wanted && !activeWindowEvents_) {
        StartFollowing();
    } else if (!wanted && activeWindowEvents_) {
        StopFollowing();
        follower_.Stop();
    }
}

void TrayApplication::StartFollowing() {
    // A window manager may have started or ended since the last look.
    RefreshFollowEntry();
    if (!followAvailable_) {
        return;
    }
    activeWindowEvents_ =
        std::make_unique<QSocketNotifier>(activeWindow_->Descriptor(), QSocketNotifier::Read);
    connect(activeWindowEvents_.get(), &QSocketNotifier::activated, this,
            &TrayApplication::OnActiveWindowEvents);
    follower_.FollowTitle(activeWindow_->Start());
}

void TrayApplication::StopFollowing() {
    if (activeWindowEvents_) {
        activeWindowEvents_.reset();
        activeWindow_->Stop();
    }
}

void TrayApplication::OnActiveWindowEvents() {
    if (const std::optional<std::string> title = activeWindow_->TakeChange()) {
        follower_.FollowTitle(*title);
    }
}

void TrayApplication::FollowFocusedWindowAgain() {
    // The dialog's map is in force now; the focused window's profile wins
    // over it as a focus change would.
    if (activeWindowEvents_) {
        OnActiveWindowEvents();
        follower_.FollowAgain();
    }
}

void TrayApplication::RefreshFollowEntry() {
    followAvailable_ = activeWindow_ != nullptr && activeWindow_->Available();
    ShowFollowEntry();
}

void TrayApplication::ShowFollowEntry() {
    QAction& entry = menu_.action(MenuEntry::FollowWindow);
    entry.setEnabled(followAvailable_);
    entry.setToolTip(followAvailable_ ? QString() : FollowUnavailableTip());
}

QString TrayApplication::FollowUnavailableTip() const {
    // On Wayland the compositor is the window manager: its protocol is named.
    const std::string_view protocol =
        activeWindow_ != nullptr ? activeWindow_->NeededProtocol() : std::string_view();
    if (protocol.empty()) {
        return followWindowUnavailableTip_;
    }
    return followWindowUnavailableTip_ + QStringLiteral(" (") +
           QString::fromUtf8(protocol.data(), static_cast<qsizetype>(protocol.size())) +
           QStringLiteral(")");
}

void TrayApplication::ShowIconTip() {
    if (loaded_ && !unloaded_) {
        presence_.SetTexts(caption_, IconTip(caption_, session_.ProfileInForce()));
    }
}

}  // namespace padrix
