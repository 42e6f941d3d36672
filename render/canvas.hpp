// Drawing onto a pixel buffer, everything clipped to one rectangle: fills and
// premultiplied "over" composition. The only pixel-pushing code of the view.
#pragma once

#include <span>

#include "render/pixel_buffer.hpp"
#include "render/premultiplied_image.hpp"
#include "scene/geometry.hpp"

namespace bolvenda::render {

class Canvas {
  public:
    // The pixels must stay as long. Their top-left pixel is the point origin: every rectangle
    // given is in the coordinates of a larger whole (the window) of which they are one part.
    explicit Canvas(const PixelView& target, scene::Point origin = {});

    // Narrows the clip: later drawing stays inside this rectangle and every earlier one.
    void clip_to(scene::Rect clip);
    void fill(scene::Rect area, scene::Rgb colour);
    // image's top-left corner at (x, y); mirrored left to right where asked.
    void blend(const PremultipliedImage& image, int x, int y, bool mirrored = false);
    // The region of image resampled onto target (inside the surface and the clip), over the
    // plain colour under: for the largest picture, which is resampled straight into place.
    void blend_resampled(const PremultipliedImage& image, scene::Rect region, scene::Rect target,
                         scene::Rgb under);
    // The region of an SVG drawing stretched to width x height, drawn onto target (its size,
    // inside the surface and the clip) over the plain colour under: the largest picture above
    // the design size, drawn straight into place.
    void blend_drawn(std::span<const unsigned char> svg, const char* name, int width, int height,
                     scene::Rect region, scene::Rect target, scene::Rgb under);

  private:
    scene::Rect clipped(scene::Rect area) const;
    // Where the point (inside the target) is in its memory.
    std::uint32_t* at(int x, int y) const;

    PixelView target_;
    scene::Point origin_;
    scene::Rect clip_;
};

}  // namespace bolvenda::render
