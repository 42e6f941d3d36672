// The offscreen renderer of offscreen.hpp.
#include "tests/support/offscreen.hpp"

#include <cstddef>

#include "scene/assets/assets.hpp"

namespace bolvenda::testing {

Offscreen::Offscreen()
    : labels_(assets::typeface(assets::Typeface::Bold)),
      tips_(assets::typeface(assets::Typeface::Regular)),
      painter_(pictures_, labels_, tips_) {}

Pixels Offscreen::render(const scene::Scene& scene, int width, int height,
                         const std::optional<scene::Tooltip>& tip,
                         std::span<const scene::Overlay> overlays) {
    scene::Layout layout(scene);
    render::PixelImage image(width, height);
    painter_.forget_frame();  // a new image, even where it reuses the old one's memory
    painter_.paint(layout, scene::Viewport::fit(width, height), image.view(), {}, tip, overlays);
    return pixels_of(image.view());
}

Pixels pixels_of(const render::PixelView& view) {
    Pixels pixels{view.width, view.height, {}};
    pixels.data.resize(static_cast<std::size_t>(view.width) *
                       static_cast<std::size_t>(view.height));
    for (int y = 0; y < view.height; ++y) {
        const std::uint32_t* row = view.row(y);
        for (int x = 0; x < view.width; ++x)
            pixels.data[static_cast<std::size_t>(y) * static_cast<std::size_t>(view.width) +
                        static_cast<std::size_t>(x)] = row[x] & 0xFFFFFF;
    }
    return pixels;
}

}  // namespace bolvenda::testing
