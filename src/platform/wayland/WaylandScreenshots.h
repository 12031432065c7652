#pragma once

#include <memory>

#include "engine/Effects.h"
#include "platform/Backend.h"

namespace padrix::wayland {

// Print Screen on a Wayland session, where the X root window holds only X
// programs: the compositor's screen copy where offered, else the desktop
// portal's screenshot where one answers on the session bus. The JPEG is
// written and `beeper` (may be null) rung as on X. Null where neither is
// there: no picture can be taken.
std::unique_ptr<Screenshotter> OpenWaylandScreenshots(const SessionEnvironment& env,
                                                      std::unique_ptr<Beeper> beeper);

}  // namespace padrix::wayland
