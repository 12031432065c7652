#include "platform/wayland/WaylandWindows.h"

#include "platform/wayland/WaylandActiveWindowWatch.h"
#include "platform/wayland/WaylandToplevels.h"
#include "platform/wayland/WaylandWindowActivator.h"

namespace padrix::wayland {

namespace {

std::unique_ptr<WaylandToplevels> OpenOffered(const SessionEnvironment& env) {
    auto opened = WaylandToplevels::Open(env.waylandDisplay);
    auto* toplevels = std::get_if<std::unique_ptr<WaylandToplevels>>(&opened);
    if (toplevels == nullptr || !(*toplevels)->Offered()) {
        return nullptr;
    }
    return std::move(*toplevels);
}

}  // namespace

std::optional<WaylandWindows> OpenWaylandWindows(const SessionEnvironment& env) {
    auto forActivator = OpenOffered(env);
    auto forWatch = forActivator ? OpenOffered(env) : nullptr;
    if (!forWatch) {
        return std::nullopt;
    }
    return WaylandWindows{std::make_unique<WaylandWindowActivator>(std::move(forActivator)),
                          std::make_unique<WaylandActiveWindowWatch>(std::move(forWatch))};
}

}  // namespace padrix::wayland
