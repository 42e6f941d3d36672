// The part of the frame that never changes: letterbox, pond and lines, from which a repaint
// restores what lies under the elements. Only the scene's own rectangle is kept (the
// letterbox around it is one colour), whole or, where it has no more than 256 colours (at the
// design size: the pond's palette and the lines' colour), as one byte a pixel and a palette:
// a quarter of the memory, the same pixels.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "render/pixel_buffer.hpp"
#include "scene/geometry.hpp"

namespace bolvenda::render {

class BaseLayer {
  public:
    // Takes the drawn layer, which lies at inner's place in the window (inner's size), and
    // keeps it in the smaller form it allows; the rest of the window is the pixel outside.
    void keep(PixelImage drawn, scene::Rect inner, std::uint32_t outside);
    // The same from pixels drawn in someone else's memory, copied where kept whole.
    void keep_copy(const PixelView& drawn, scene::Rect inner, std::uint32_t outside);
    void clear();
    bool empty() const { return whole_.empty() && indices_.empty(); }
    bool indexed() const { return !indices_.empty(); }

    // Copies the area (inside the window) onto the same place of target.
    void copy_to(const PixelView& target, scene::Rect area) const;

  private:
    void start(scene::Rect inner, std::uint32_t outside);
    // Keeps the pixels as palette indices; false, keeping nothing, past 256 colours.
    bool keep_indexed(const PixelView& drawn);
    void copy_inner(const PixelView& target, scene::Rect area) const;

    scene::Rect inner_;
    std::uint32_t outside_ = 0;
    PixelImage whole_;
    std::vector<std::uint8_t> indices_;
    std::array<std::uint32_t, 256> palette_{};
    int width_ = 0;
};

}  // namespace bolvenda::render
