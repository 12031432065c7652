#include "platform/wayland/ShmPicture.h"

#include <wayland-client-protocol.h>

#include <bit>
#include <limits>
#include <utility>

namespace padrix::wayland {

namespace {

constexpr std::uint32_t kLargestSide = 16384;

struct PixelLayout {
    QImage::Format format = QImage::Format_Invalid;
    std::uint32_t bytesPerPixel = 0;
};

// The QImage format with the same bytes in memory; alpha is ignored, as a
// screen is opaque. wl_shm formats are little-endian words.
PixelLayout PixelLayoutOf(std::uint32_t shmFormat) {
    if constexpr (std::endian::native != std::endian::little) {
        return {};
    }
    switch (shmFormat) {
        case WL_SHM_FORMAT_ARGB8888:
        case WL_SHM_FORMAT_XRGB8888:
            return {QImage::Format_RGB32, 4};
        case WL_SHM_FORMAT_ABGR8888:
        case WL_SHM_FORMAT_XBGR8888:
            return {QImage::Format_RGBX8888, 4};
        case WL_SHM_FORMAT_ARGB2101010:
        case WL_SHM_FORMAT_XRGB2101010:
            return {QImage::Format_RGB30, 4};
        case WL_SHM_FORMAT_ABGR2101010:
        case WL_SHM_FORMAT_XBGR2101010:
            return {QImage::Format_BGR30, 4};
        case WL_SHM_FORMAT_RGB888:
            return {QImage::Format_BGR888, 3};
        case WL_SHM_FORMAT_BGR888:
            return {QImage::Format_RGB888, 3};
        case WL_SHM_FORMAT_RGB565:
            return {QImage::Format_RGB16, 2};
        default:
            return {};
    }
}

}  // namespace

std::size_t ShmBufferSize(const ShmLayout& layout) {
    const PixelLayout pixels = PixelLayoutOf(layout.format);
    if (pixels.bytesPerPixel == 0 || layout.width == 0 || layout.height == 0 ||
        layout.width > kLargestSide || layout.height > kLargestSide ||
        layout.stride < layout.width * pixels.bytesPerPixel) {
        return 0;
    }
    const std::size_t size = std::size_t{layout.stride} * layout.height;
    // A pool's size is a signed 32-bit number.
    return size <= std::numeric_limits<std::int32_t>::max() ? size : 0;
}

QImage ShmToImage(const std::uint8_t* data, const ShmLayout& layout, bool yInverted) {
    const PixelLayout pixels = PixelLayoutOf(layout.format);
    if (data == nullptr || ShmBufferSize(layout) == 0) {
        return {};
    }
    const QImage view(data, static_cast<int>(layout.width), static_cast<int>(layout.height),
                      static_cast<qsizetype>(layout.stride), pixels.format);
    QImage out = pixels.format == QImage::Format_RGB32 ? view.copy()
                                                       : view.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < out.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x) {
            line[x] |= 0xff000000u;
        }
    }
    return yInverted ? std::move(out).mirrored(false, true) : out;
}

}  // namespace padrix::wayland
