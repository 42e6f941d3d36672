#include "render/canvas.hpp"

#include <algorithm>
#include <cstddef>
#include <string>

#include "render/drawing.hpp"
#include "render/startup_error.hpp"

namespace bolvenda::render {

using scene::Rect;

Canvas::Canvas(const PixelView& target, scene::Point origin)
    : target_(target), origin_(origin), clip_{origin.x, origin.y, target.width, target.height} {}

// In ptrdiff_t (PixelView::row): a row's offset in a buffer over 2 GiB does not fit an int.
std::uint32_t* Canvas::at(int x, int y) const {
    return target_.row(y - origin_.y) + (x - origin_.x);
}

Rect Canvas::clipped(Rect a) const {
    int left = std::max({a.left, clip_.left, origin_.x});
    int top = std::max({a.top, clip_.top, origin_.y});
    int right = std::min({a.right(), clip_.right(), origin_.x + target_.width});
    int bottom = std::min({a.bottom(), clip_.bottom(), origin_.y + target_.height});
    return {left, top, std::max(0, right - left), std::max(0, bottom - top)};
}

void Canvas::clip_to(Rect clip) { clip_ = clipped(clip); }

void Canvas::fill(Rect area, scene::Rgb colour) {
    Rect r = clipped(area);
    const std::uint32_t pixel = pixel_of(colour);
    for (int y = r.top; y < r.bottom(); ++y) std::fill_n(at(r.left, y), r.width, pixel);
}

void Canvas::blend(const PremultipliedImage& image, int x, int y, bool mirrored) {
    Rect r = clipped({x, y, image.width, image.height});
    for (int dy = r.top; dy < r.bottom(); ++dy) {
        std::uint32_t* out = at(r.left, dy);
        const std::uint32_t* in = image.pixels.data() + static_cast<std::size_t>(dy - y) *
                                                            static_cast<std::size_t>(image.width);
        if (!mirrored) {
            in += r.left - x;
            for (int i = 0; i < r.width; ++i) out[i] = over(in[i], out[i]) & 0x00FFFFFF;
        } else {
            // Column c of the surface shows column width - 1 - (c - x) of the image.
            in += image.width - 1 - (r.left - x);
            for (int i = 0; i < r.width; ++i) out[i] = over(*(in - i), out[i]) & 0x00FFFFFF;
        }
    }
}

void Canvas::blend_resampled(const PremultipliedImage& image, Rect region, Rect target,
                             scene::Rgb under) {
    if (!(clipped(target) == target) || target.width <= 0 || target.height <= 0) return;
    std::uint32_t* out = at(target.left, target.top);
    const auto stride = static_cast<std::size_t>(target_.stride);
    resample_into(image, region, out, target.width, target.height, stride);
    bool opaque = true;
    for (int y = region.top; y < region.bottom() && opaque; ++y)
        for (int x = region.left; x < region.right(); ++x) opaque &= image.at(x, y) >> 24 == 0xFF;
    if (opaque) return;  // the pond is: nothing of the colour under it shows
    const std::uint32_t colour = pixel_of(under);
    for (int y = 0; y < target.height; ++y) {
        std::uint32_t* line = out + static_cast<std::size_t>(y) * stride;
        for (int x = 0; x < target.width; ++x) line[x] = over(line[x], colour) & 0x00FFFFFF;
    }
}

void Canvas::blend_drawn(std::span<const unsigned char> svg, const char* name, int width,
                         int height, Rect region, Rect target, scene::Rgb under) {
    if (!(clipped(target) == target) || target.width <= 0 || target.width != region.width ||
        target.height != region.height)
        return;
    std::uint32_t* out = at(target.left, target.top);
    draw_svg_into(svg, name, width, height, region, out, static_cast<std::size_t>(target_.stride),
                  pixel_of(under));
}

}  // namespace bolvenda::render
