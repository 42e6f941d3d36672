// The window's painter without a window: renders a scene's state into a surface so that
// tests can probe the pixels the child would see.
#pragma once

#include <memory>
#include <optional>

#include "scene/assets/assets.hpp"
#include "scene/layout.hpp"
#include "scene/view/canvas.hpp"
#include "scene/view/painter.hpp"
#include "scene/view/picture_set.hpp"
#include "scene/view/sdl_library.hpp"
#include "scene/view/text_renderer.hpp"

namespace bolvenda::testing {

class Offscreen {
public:
    Offscreen()
        : labels_(assets::typeface(assets::Typeface::Bold)),
          tips_(assets::typeface(assets::Typeface::Regular)),
          painter_(pictures_, labels_, tips_) {}

    view::SurfacePtr render(const scene::Scene& scene, int width = scene::design_width,
                            int height = scene::design_height,
                            const std::optional<scene::TooltipTracker::Shown>& tip = std::nullopt) {
        scene::Layout layout(scene);
        view::SurfacePtr surface = view::create_canvas_surface(width, height);
        painter_.forget_frame();  // a new surface, even where it reuses the old one's memory
        painter_.paint(layout, scene::Viewport::fit(width, height), *surface, {}, tip);
        return surface;
    }

    view::PictureSet& pictures() { return pictures_; }
    view::Painter& painter() { return painter_; }
    view::TextRenderer& labels() { return labels_; }

private:
    view::SdlLibrary sdl_{false};
    view::PictureSet pictures_;
    view::TextRenderer labels_;
    view::TextRenderer tips_;
    view::Painter painter_;
};

inline scene::Rgb pixel(const SDL_Surface& s, int x, int y) {
    auto p = reinterpret_cast<const Uint32*>(static_cast<const Uint8*>(s.pixels) + y * s.pitch)[x];
    return {static_cast<unsigned char>(p >> 16), static_cast<unsigned char>(p >> 8),
            static_cast<unsigned char>(p)};
}

inline bool same_pixels(const SDL_Surface& a, const SDL_Surface& b, scene::Rect r) {
    for (int y = r.top; y < r.bottom(); ++y)
        for (int x = r.left; x < r.right(); ++x)
            if (!(pixel(a, x, y) == pixel(b, x, y))) return false;
    return true;
}

}  // namespace bolvenda::testing
