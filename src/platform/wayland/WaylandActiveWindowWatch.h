#pragma once

#include <cstdint>
#include <memory>

#include "platform/ActiveWindowWatch.h"
#include "platform/wayland/WaylandToplevels.h"

namespace padrix::wayland {

// Follows the compositor's activated toplevel and its title through the
// compositor's list of toplevels, which it asks for only while it runs. When
// the connection breaks, the active window is none and the descriptor stays
// quiet; Available() connects again, and the descriptor is new from then on.
class WaylandActiveWindowWatch : public ActiveWindowWatch {
  public:
    explicit WaylandActiveWindowWatch(std::unique_ptr<WaylandToplevels> toplevels);

    // Whether the compositor offers its list of toplevels.
    bool Available() override;
    std::string_view NeededProtocol() const override { return kToplevelListProtocol; }
    int Descriptor() const override;
    std::string Start() override;
    void Stop() override;
    std::optional<std::string> TakeChange() override;

  private:
    // The activated toplevel (id 0: none) and its title.
    struct Focus {
        std::uint64_t id = 0;
        std::string title;
        bool operator==(const Focus&) const = default;
    };
    Focus Now() const;

    std::unique_ptr<WaylandToplevels> toplevels_;
    bool watching_ = false;
    Focus told_;
};

}  // namespace padrix::wayland
