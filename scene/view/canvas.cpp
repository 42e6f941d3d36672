#include "scene/view/canvas.hpp"

#include <algorithm>
#include <cstddef>
#include <string>

#include "scene/view/drawing.hpp"
#include "scene/view/startup_error.hpp"

namespace bolvenda::view {

using scene::Rect;

Canvas::Canvas(SDL_Surface& surface, scene::Point origin)
    : surface_(&surface), origin_(origin), clip_{origin.x, origin.y, surface.w, surface.h} {}

// In ptrdiff_t: a row's offset in a surface over 2 GiB does not fit an int.
Uint32* Canvas::at(int x, int y) const {
    return reinterpret_cast<Uint32*>(static_cast<Uint8*>(surface_->pixels) +
                                     static_cast<std::ptrdiff_t>(y - origin_.y) * surface_->pitch) +
           (x - origin_.x);
}

Rect Canvas::clipped(Rect a) const {
    int left = std::max({a.left, clip_.left, origin_.x});
    int top = std::max({a.top, clip_.top, origin_.y});
    int right = std::min({a.right(), clip_.right(), origin_.x + surface_->w});
    int bottom = std::min({a.bottom(), clip_.bottom(), origin_.y + surface_->h});
    return {left, top, std::max(0, right - left), std::max(0, bottom - top)};
}

void Canvas::clip_to(Rect clip) { clip_ = clipped(clip); }

void Canvas::fill(Rect area, scene::Rgb colour) {
    Rect r = clipped(area);
    Uint32 pixel =
        static_cast<Uint32>(colour.r) << 16 | static_cast<Uint32>(colour.g) << 8 | colour.b;
    for (int y = r.top; y < r.bottom(); ++y) std::fill_n(at(r.left, y), r.width, pixel);
}

void Canvas::blend(const PremultipliedImage& image, int x, int y, bool mirrored) {
    Rect r = clipped({x, y, image.width, image.height});
    for (int dy = r.top; dy < r.bottom(); ++dy) {
        Uint32* out = at(r.left, dy);
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
    static_assert(sizeof(Uint32) == sizeof(std::uint32_t));
    auto* out = reinterpret_cast<std::uint32_t*>(at(target.left, target.top));
    const auto stride = static_cast<std::size_t>(surface_->pitch) / 4;
    resample_into(image, region, out, target.width, target.height, stride);
    bool opaque = true;
    for (int y = region.top; y < region.bottom() && opaque; ++y)
        for (int x = region.left; x < region.right(); ++x) opaque &= image.at(x, y) >> 24 == 0xFF;
    if (opaque) return;  // the pond is: nothing of the colour under it shows
    const Uint32 colour =
        static_cast<Uint32>(under.r) << 16 | static_cast<Uint32>(under.g) << 8 | under.b;
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
    auto* out = reinterpret_cast<std::uint32_t*>(at(target.left, target.top));
    const auto stride = static_cast<std::size_t>(surface_->pitch) / 4;
    draw_svg_into(svg, name, width, height, region, out, stride,
                  static_cast<Uint32>(under.r) << 16 | static_cast<Uint32>(under.g) << 8 | under.b);
}

SurfacePtr create_canvas_surface(int width, int height) {
    SDL_Surface* s = SDL_CreateRGBSurfaceWithFormat(0, width, height, 32, canvas_format);
    if (s == nullptr) {
        throw StartupError(
            std::string("cannot allocate the window's picture (") + SDL_GetError() + ")",
            "Memoria insufficiente per disegnare la finestra del gioco.");
    }
    return SurfacePtr(s);
}

}  // namespace bolvenda::view
