#include "platform/wayland/WaylandScreenGrabber.h"

#include <wayland-client.h>

#include <QPainter>
#include <QTransform>

#include <algorithm>
#include <utility>
#include <vector>

#include "platform/wayland/ScreencopyCapture.h"
#include "platform/wayland/WaylandConnection.h"
#include "platform/wayland/WaylandOutputs.h"
#include "wlr-screencopy-unstable-v1-client-protocol.h"

namespace padrix::wayland {

namespace {

constexpr std::uint32_t kScreencopyVersion = 3;

struct OutputShot {
    QImage image;
    OutputPlacement placement;
};

// The output's picture the way round the user sees it: the copy comes as
// the output's buffer holds it, turned (and mirrored) by its transform.
QImage Upright(const QImage& copied, std::int32_t transform) {
    const int quarterTurns = transform & 3;
    QImage image =
        quarterTurns == 0 ? copied : copied.transformed(QTransform().rotate(90.0 * quarterTurns));
    const bool flipped = (transform & WL_OUTPUT_TRANSFORM_FLIPPED) != 0;
    return flipped ? std::move(image).mirrored(true, false) : image;
}

// Where an output's picture goes on the desktop, in the desktop's pixels of
// `scale` to a logical unit.
QRect Place(const OutputShot& shot, int scale) {
    const OutputPlacement& p = shot.placement;
    const QSize logical =
        p.width > 0 && p.height > 0 ? QSize(p.width, p.height) : shot.image.size() / p.scale;
    return {QPoint(p.x, p.y) * scale, logical * scale};
}

// One picture of the whole desktop: every output at its logical position,
// at the finest scale among them.
QImage Desktop(const std::vector<OutputShot>& shots) {
    if (shots.size() == 1) {
        return shots.front().image;
    }
    int scale = 1;
    for (const OutputShot& shot : shots) {
        scale = std::max(scale, shot.placement.scale);
    }
    QRect all;
    for (const OutputShot& shot : shots) {
        all = all.united(Place(shot, scale));
    }
    QImage desktop(all.size(), QImage::Format_RGB32);
    desktop.fill(Qt::black);
    QPainter painter(&desktop);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    for (const OutputShot& shot : shots) {
        painter.drawImage(Place(shot, scale).translated(-all.topLeft()), shot.image);
    }
    return desktop;
}

}  // namespace

// The connection and what is bound on it, kept from one grab to the next.
struct WaylandScreenGrabber::Capture {
    std::unique_ptr<WaylandConnection> connection;
    std::unique_ptr<WaylandOutputs> outputs;
    zwlr_screencopy_manager_v1* manager = nullptr;
    wl_shm* shm = nullptr;

    explicit Capture(std::unique_ptr<WaylandConnection> opened)
        : connection(std::move(opened)),
          outputs(std::make_unique<WaylandOutputs>(*connection)),
          manager(connection->Bind<zwlr_screencopy_manager_v1>(zwlr_screencopy_manager_v1_interface,
                                                               kScreencopyVersion)),
          shm(connection->Bind<wl_shm>(wl_shm_interface, 1)) {}
    ~Capture() {
        if (manager != nullptr) {
            zwlr_screencopy_manager_v1_destroy(manager);
        }
        if (shm != nullptr) {
            wl_shm_destroy(shm);
        }
        outputs.reset();
        connection->Flush();
    }
    Capture(const Capture&) = delete;
    Capture& operator=(const Capture&) = delete;
};

WaylandScreenGrabber::WaylandScreenGrabber(std::string socketName,
                                           std::chrono::milliseconds patience)
    : socketName_(std::move(socketName)), patience_(patience) {}

WaylandScreenGrabber::~WaylandScreenGrabber() = default;

QImage WaylandScreenGrabber::Grab() {
    if (!capture_) {
        auto opened = WaylandConnection::Open(socketName_);
        if (auto* connection = std::get_if<std::unique_ptr<WaylandConnection>>(&opened)) {
            capture_ = std::make_unique<Capture>(std::move(*connection));
        }
        if (!capture_ || capture_->manager == nullptr || capture_->shm == nullptr) {
            capture_.reset();
            return {};
        }
    }
    const Deadline deadline = std::chrono::steady_clock::now() + patience_;
    WaylandConnection& connection = *capture_->connection;
    // Outputs that came since are bound by the first, described by the second.
    bool ok = SyncUntil(connection, deadline) && SyncUntil(connection, deadline);
    WaylandOutputs& outputs = *capture_->outputs;
    outputs.ForgetRemoved();
    // By index: outputs that come while capturing are added behind.
    const std::size_t count = outputs.outputs().size();
    std::vector<OutputShot> shots;
    for (std::size_t i = 0; ok && i < count; ++i) {
        const WaylandOutputs::Output& output = *outputs.outputs()[i];
        const QImage copied =
            CaptureOutput(connection, capture_->manager, capture_->shm, output.proxy, deadline);
        ok = !copied.isNull();
        shots.push_back({Upright(copied, output.placement.transform), output.placement});
    }
    if (!ok || shots.empty()) {
        // A compositor that went away is met again on a new connection.
        if (!connection.Flush() || !connection.Dispatch()) {
            capture_.reset();
        }
        return {};
    }
    return Desktop(shots);
}

bool OffersScreencopy(const std::string& socketName) {
    auto opened = WaylandConnection::Open(socketName);
    const auto* connection = std::get_if<std::unique_ptr<WaylandConnection>>(&opened);
    return connection != nullptr &&
           (*connection)->Find(zwlr_screencopy_manager_v1_interface.name) != nullptr &&
           (*connection)->Find(wl_shm_interface.name) != nullptr;
}

}  // namespace padrix::wayland
