// The offscreen renderer of offscreen.hpp.
#include "tests/support/offscreen.hpp"

#include <cstddef>

#include "scene/assets/assets.hpp"
#include "scene/view/canvas.hpp"

namespace bolvenda::testing {

Offscreen::Offscreen()
    : labels_(assets::typeface(assets::Typeface::Bold)),
      tips_(assets::typeface(assets::Typeface::Regular)),
      painter_(pictures_, labels_, tips_) {}

Pixels Offscreen::render(const scene::Scene& scene, int width, int height,
                         const std::optional<scene::TooltipTracker::Shown>& tip,
                         std::span<const scene::Overlay> overlays) {
    scene::Layout layout(scene);
    view::SurfacePtr surface = view::create_canvas_surface(width, height);
    painter_.forget_frame();  // a new surface, even where it reuses the old one's memory
    painter_.paint(layout, scene::Viewport::fit(width, height), *surface, {}, tip, overlays);
    return pixels_of(*surface);
}

Pixels pixels_of(const SDL_Surface& surface) {
    Pixels pixels{surface.w, surface.h, {}};
    pixels.data.resize(static_cast<std::size_t>(surface.w) * surface.h);
    for (int y = 0; y < surface.h; ++y) {
        const auto* row =
            reinterpret_cast<const Uint32*>(static_cast<const Uint8*>(surface.pixels) +
                                            static_cast<std::ptrdiff_t>(y) * surface.pitch);
        for (int x = 0; x < surface.w; ++x)
            pixels.data[static_cast<std::size_t>(y) * surface.w + x] = row[x] & 0xFFFFFF;
    }
    return pixels;
}

}  // namespace bolvenda::testing
