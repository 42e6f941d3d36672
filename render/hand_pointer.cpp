#include "render/hand_pointer.hpp"

#include <algorithm>
#include <cmath>

#include "render/drawing.hpp"
#include "render/startup_error.hpp"
#include "scene/assets/assets.hpp"
#include "scene/viewport.hpp"

namespace bolvenda::render {

int hand_pointer_size(int width, int height, double window_pixels_per_pointer_pixel, int largest) {
    const double scale =
        scene::Viewport::fit(width, height).scale() / window_pixels_per_pointer_pixel;
    if (scale < 1.5) return hand_pointer_px;
    return std::min(largest, static_cast<int>(std::lround(hand_pointer_px * scale)));
}

std::optional<assets::IconImage> hand_pointer(int size) {
    std::optional<assets::IconImage> small = assets::read_icon_file(assets::asset("hand.cur"));
    if (size == hand_pointer_px) return small;
    // Drawn at size x size, its hot spot (the fingertip's pixel of the 32 x 32 pointer) scaled
    // with it: the centre of that pixel, scaled, falls in this one.
    assets::IconImage image;
    try {
        const PremultipliedImage drawn =
            draw_svg(assets::asset("hand.svg"), "hand.svg", size, size);
        image.argb.reserve(drawn.pixels.size());
        for (std::uint32_t p : drawn.pixels) image.argb.push_back(unpremultiply(p));
    } catch (const StartupError&) {
        return std::nullopt;
    }
    image.width = image.height = size;
    const int hot_x = small ? small->hot_x : 0, hot_y = small ? small->hot_y : 0;
    image.hot_x = static_cast<int>((hot_x + 0.5) * size / hand_pointer_px);
    image.hot_y = static_cast<int>((hot_y + 0.5) * size / hand_pointer_px);
    return image;
}

}  // namespace bolvenda::render
