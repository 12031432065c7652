#pragma once

#include <QImage>

#include "platform/wayland/BoundedDispatch.h"

struct wl_output;
struct wl_shm;
struct zwlr_screencopy_manager_v1;

namespace padrix::wayland {

// What the compositor shows on one output, copied into shared memory of the
// format it offers, upright. A null image when the compositor refuses, offers
// no format we read, or has not answered by the deadline.
QImage CaptureOutput(WaylandConnection& connection, zwlr_screencopy_manager_v1* manager,
                     wl_shm* shm, wl_output* output, Deadline deadline);

}  // namespace padrix::wayland
