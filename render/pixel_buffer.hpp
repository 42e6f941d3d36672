// The pixels the painter draws into: 32-bit words 0x00RRGGBB (the top byte ignored), rows
// `stride` words apart. A view over someone else's memory (a window's surface), or an image
// of its own (a canvas the platform copies to the screen, an offscreen render).
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "scene/geometry.hpp"

namespace bolvenda::render {

struct PixelView {
    std::uint32_t* pixels = nullptr;
    int width = 0;
    int height = 0;
    int stride = 0;  // in pixels

    std::uint32_t* row(int y) const {
        return pixels + static_cast<std::ptrdiff_t>(y) * static_cast<std::ptrdiff_t>(stride);
    }
    // The pixels of r, which lies inside this view, as a view of their own.
    PixelView part(scene::Rect r) const { return {row(r.top) + r.left, r.width, r.height, stride}; }
};

// The word a colour is in a pixel buffer.
constexpr std::uint32_t pixel_of(scene::Rgb c) {
    return static_cast<std::uint32_t>(c.r) << 16 | static_cast<std::uint32_t>(c.g) << 8 | c.b;
}

class PixelImage {
  public:
    PixelImage() = default;
    // Throws StartupError where the memory cannot be had.
    PixelImage(int width, int height);

    PixelView view() { return {pixels_.data(), width_, height_, width_}; }
    const std::uint32_t* row(int y) const {
        return pixels_.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(width_);
    }
    int width() const noexcept { return width_; }
    int height() const noexcept { return height_; }
    bool empty() const noexcept { return pixels_.empty(); }

  private:
    std::vector<std::uint32_t> pixels_;
    int width_ = 0;
    int height_ = 0;
};

}  // namespace bolvenda::render
