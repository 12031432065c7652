#pragma once

#include <string_view>

namespace padrix {

// Brings a top-level window to the front by its title.
class WindowActivator {
  public:
    virtual ~WindowActivator() = default;

    // Activates the window whose title equals `title`, or failing that the
    // first one whose title begins with it, and gives it the keyboard focus.
    // Returns whether such a window exists; an empty title matches nothing.
    virtual bool ActivateByTitle(std::string_view title) = 0;
};

// For sessions without window titles to look at: nothing is ever found.
class NoWindowActivator : public WindowActivator {
  public:
    bool ActivateByTitle(std::string_view) override { return false; }
};

}  // namespace padrix
