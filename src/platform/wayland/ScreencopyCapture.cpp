#include "platform/wayland/ScreencopyCapture.h"

#include <sys/mman.h>
#include <unistd.h>
#include <wayland-client.h>

#include <memory>
#include <optional>

#include "platform/wayland/ShmPicture.h"
#include "platform/wayland/WaylandConnection.h"
#include "wlr-screencopy-unstable-v1-client-protocol.h"

namespace padrix::wayland {

namespace {

// Shared memory the compositor copies a frame into.
class ShmBuffer {
  public:
    ShmBuffer(wl_shm* shm, const ShmLayout& layout, std::size_t size) : size_(size) {
        fd_ = memfd_create("padrix-screencopy", MFD_CLOEXEC);
        if (fd_ < 0 || ftruncate(fd_, static_cast<off_t>(size_)) != 0) {
            return;
        }
        map_ = mmap(nullptr, size_, PROT_READ | PROT_WRITE, MAP_SHARED, fd_, 0);
        if (map_ == MAP_FAILED) {
            return;
        }
        wl_shm_pool* pool = wl_shm_create_pool(shm, fd_, static_cast<std::int32_t>(size_));
        buffer_ =
            wl_shm_pool_create_buffer(pool, 0, static_cast<std::int32_t>(layout.width),
                                      static_cast<std::int32_t>(layout.height),
                                      static_cast<std::int32_t>(layout.stride), layout.format);
        wl_shm_pool_destroy(pool);
    }
    ~ShmBuffer() {
        if (buffer_ != nullptr) {
            wl_buffer_destroy(buffer_);
        }
        if (map_ != MAP_FAILED) {
            munmap(map_, size_);
        }
        if (fd_ >= 0) {
            close(fd_);
        }
    }
    ShmBuffer(const ShmBuffer&) = delete;
    ShmBuffer& operator=(const ShmBuffer&) = delete;

    wl_buffer* proxy() const { return buffer_; }
    const std::uint8_t* data() const { return static_cast<const std::uint8_t*>(map_); }

  private:
    std::size_t size_;
    int fd_ = -1;
    void* map_ = MAP_FAILED;
    wl_buffer* buffer_ = nullptr;
};

// What the compositor said about one frame.
struct FrameEvents {
    std::optional<ShmLayout> shm;
    bool offersDone = false;
    std::uint32_t flags = 0;
    bool ready = false;
    bool failed = false;
};

FrameEvents& Events(void* data) {
    return *static_cast<FrameEvents*>(data);
}

const zwlr_screencopy_frame_v1_listener kFrameListener = {
    .buffer =
        [](void* data, zwlr_screencopy_frame_v1*, std::uint32_t format, std::uint32_t width,
           std::uint32_t height, std::uint32_t stride) {
            Events(data).shm = ShmLayout{format, width, height, stride};
        },
    .flags = [](void* data, zwlr_screencopy_frame_v1*,
                std::uint32_t flags) { Events(data).flags = flags; },
    .ready = [](void* data, zwlr_screencopy_frame_v1*, std::uint32_t, std::uint32_t,
                std::uint32_t) { Events(data).ready = true; },
    .failed = [](void* data, zwlr_screencopy_frame_v1*) { Events(data).failed = true; },
    .damage = [](void*, zwlr_screencopy_frame_v1*, std::uint32_t, std::uint32_t, std::uint32_t,
                 std::uint32_t) {},
    .linux_dmabuf = [](void*, zwlr_screencopy_frame_v1*, std::uint32_t, std::uint32_t,
                       std::uint32_t) {},
    .buffer_done = [](void* data, zwlr_screencopy_frame_v1*) { Events(data).offersDone = true; },
};

struct FrameDestroyer {
    void operator()(zwlr_screencopy_frame_v1* frame) const {
        zwlr_screencopy_frame_v1_destroy(frame);
    }
};

}  // namespace

QImage CaptureOutput(WaylandConnection& connection, zwlr_screencopy_manager_v1* manager,
                     wl_shm* shm, wl_output* output, Deadline deadline) {
    FrameEvents events;
    const std::unique_ptr<zwlr_screencopy_frame_v1, FrameDestroyer> frame(
        zwlr_screencopy_manager_v1_capture_output(manager, 0, output));
    zwlr_screencopy_frame_v1_add_listener(frame.get(), &kFrameListener, &events);
    // Before version 3 the shared-memory offer is the only one and comes alone.
    const bool listsOffers = zwlr_screencopy_frame_v1_get_version(frame.get()) >=
                             ZWLR_SCREENCOPY_FRAME_V1_BUFFER_DONE_SINCE_VERSION;
    const bool offered = DispatchUntil(
        connection,
        [&] { return events.failed || (listsOffers ? events.offersDone : events.shm.has_value()); },
        deadline);
    if (!offered || events.failed || !events.shm) {
        return {};
    }
    const std::size_t size = ShmBufferSize(*events.shm);
    if (size == 0) {
        return {};
    }
    const ShmBuffer buffer(shm, *events.shm, size);
    if (buffer.proxy() == nullptr) {
        return {};
    }
    zwlr_screencopy_frame_v1_copy(frame.get(), buffer.proxy());
    if (!DispatchUntil(
            connection, [&] { return events.ready || events.failed; }, deadline) ||
        !events.ready) {
        return {};
    }
    return ShmToImage(buffer.data(), *events.shm,
                      (events.flags & ZWLR_SCREENCOPY_FRAME_V1_FLAGS_Y_INVERT) != 0);
}

}  // namespace padrix::wayland
