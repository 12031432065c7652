#pragma once

#include <QTemporaryDir>
#include <memory>
#include <string>
#include <vector>

#include "Child.h"
#include "TestWindow.h"

namespace padrix::testing {

// $DISPLAY, as the program under test uses it.
std::string DisplayName();

// jwm on $DISPLAY with click focus, so that the pointer's place moves no
// focus; ended when destroyed.
class ClickFocusManager {
  public:
    ClickFocusManager();
    // Processes Qt's events until the manager announces _NET_ACTIVE_WINDOW
    // and manages every window of `ids`; false after 20 s.
    bool Manages(const std::vector<XWindowId>& ids);

  private:
    QTemporaryDir dir_;
    std::unique_ptr<Child> jwm_;
};

}  // namespace padrix::testing
