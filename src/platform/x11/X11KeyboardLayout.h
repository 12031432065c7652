#pragma once

#include <memory>
#include <utility>

#include "platform/KeyboardLayout.h"
#include "platform/x11/X11Session.h"

namespace padrix::x11 {

// The layout of the X keyboard, read afresh whenever its mapping changes.
class X11KeyboardLayout : public KeyboardLayout {
  public:
    explicit X11KeyboardLayout(std::shared_ptr<X11Session> session)
        : session_(std::move(session)) {}

    const keycodes::KeyLayout& Current() override {
        session_->Pump();  // a new mapping arrives as an event
        return session_->keys().layout;
    }

  private:
    std::shared_ptr<X11Session> session_;
};

}  // namespace padrix::x11
