#pragma once

#include <QImage>

#include <cstddef>
#include <cstdint>

namespace padrix::wayland {

// What the compositor asks a shared-memory buffer to be like.
struct ShmLayout {
    std::uint32_t format = 0;  // wl_shm.format
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    std::uint32_t stride = 0;
};

// The buffer's size in bytes; 0 when the layout is not one we can read
// (unknown format, empty or absurd size, a stride too short for a line).
std::size_t ShmBufferSize(const ShmLayout& layout);

// An opaque RGB32 copy of a buffer of that layout (size from
// ShmBufferSize), turned upside down when `yInverted`.
QImage ShmToImage(const std::uint8_t* data, const ShmLayout& layout, bool yInverted);

}  // namespace padrix::wayland
