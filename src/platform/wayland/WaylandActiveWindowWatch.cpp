#include "platform/wayland/WaylandActiveWindowWatch.h"

#include <utility>

namespace padrix::wayland {

WaylandActiveWindowWatch::WaylandActiveWindowWatch(std::unique_ptr<WaylandToplevels> toplevels)
    : toplevels_(std::move(toplevels)) {}

bool WaylandActiveWindowWatch::Available() {
    // The compositor may have announced or withdrawn the list meanwhile; a
    // broken connection is made again here, before the descriptor is taken.
    return toplevels_->Reconnect() && toplevels_->Dispatch() && toplevels_->Offered();
}

int WaylandActiveWindowWatch::Descriptor() const {
    return toplevels_->Descriptor();
}

std::string WaylandActiveWindowWatch::Start() {
    watching_ = true;
    toplevels_->Start();
    told_ = Now();
    return told_.title;
}

void WaylandActiveWindowWatch::Stop() {
    watching_ = false;
    toplevels_->Stop();
}

std::optional<std::string> WaylandActiveWindowWatch::TakeChange() {
    toplevels_->Dispatch();
    if (!watching_) {
        return std::nullopt;
    }
    Focus now = Now();
    if (now == told_) {
        return std::nullopt;
    }
    told_ = std::move(now);
    return told_.title;
}

WaylandActiveWindowWatch::Focus WaylandActiveWindowWatch::Now() const {
    const std::optional<Toplevel> active = toplevels_->Active();
    return active ? Focus{active->id, active->title} : Focus{};
}

}  // namespace padrix::wayland
