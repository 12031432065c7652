#include "platform/x11/X11Screenshots.h"

#include <X11/Xutil.h>

#include <bit>
#include <memory>
#include <utility>

namespace padrix::x11 {

namespace {

struct ImageDestroyer {
    void operator()(XImage* image) const { XDestroyImage(image); }
};

// The 8-bit value of one colour channel of a pixel, by the channel's mask.
int Channel(unsigned long pixel, unsigned long mask) {
    if (mask == 0) {
        return 0;
    }
    const int shift = std::countr_zero(mask);
    const unsigned long max = mask >> shift;
    return static_cast<int>(((pixel & mask) >> shift) * 255 / max);
}

bool IsPlainRgb32(const XImage& image) {
    return image.bits_per_pixel == 32 && image.red_mask == 0xFF0000 && image.green_mask == 0xFF00 &&
           image.blue_mask == 0xFF &&
           image.byte_order == (std::endian::native == std::endian::little ? LSBFirst : MSBFirst);
}

QImage ToQImage(XImage& image) {
    if (IsPlainRgb32(image)) {
        const QImage view(reinterpret_cast<const uchar*>(image.data), image.width, image.height,
                          image.bytes_per_line, QImage::Format_RGB32);
        return view.copy();
    }
    QImage out(image.width, image.height, QImage::Format_RGB32);
    for (int y = 0; y < image.height; ++y) {
        auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < image.width; ++x) {
            const unsigned long p = XGetPixel(&image, x, y);
            line[x] = qRgb(Channel(p, image.red_mask), Channel(p, image.green_mask),
                           Channel(p, image.blue_mask));
        }
    }
    return out;
}

}  // namespace

X11ScreenGrabber::X11ScreenGrabber(std::string displayName)
    : displayName_(std::move(displayName)) {}

QImage X11ScreenGrabber::Grab() {
    if (!display_) {
        display_ = OpenDisplay(displayName_);
        if (!display_) {
            return {};
        }
    }
    Display* d = display_.get();
    const int screen = DefaultScreen(d);
    const std::unique_ptr<XImage, ImageDestroyer> image(
        XGetImage(d, RootWindow(d, screen), 0, 0, static_cast<unsigned>(DisplayWidth(d, screen)),
                  static_cast<unsigned>(DisplayHeight(d, screen)), AllPlanes, ZPixmap));
    if (!image) {
        return {};
    }
    return ToQImage(*image);
}

}  // namespace padrix::x11
