#pragma once

#include <memory>
#include <utility>

#include "platform/ActiveWindowWatch.h"

namespace padrix {

// The X display's watch under a Wayland compositor that offers no list of
// toplevels: it sees the X programs only, and what the desktop lacks for it
// is the compositor's protocol.
class XWaylandActiveWindowWatch : public ActiveWindowWatch {
  public:
    explicit XWaylandActiveWindowWatch(std::unique_ptr<ActiveWindowWatch> display)
        : display_(std::move(display)) {}

    bool Available() override { return display_->Available(); }
    std::string_view NeededProtocol() const override { return kToplevelListProtocol; }
    int Descriptor() const override { return display_->Descriptor(); }
    std::string Start() override { return display_->Start(); }
    void Stop() override { display_->Stop(); }
    std::optional<std::string> TakeChange() override { return display_->TakeChange(); }

  private:
    std::unique_ptr<ActiveWindowWatch> display_;
};

}  // namespace padrix
