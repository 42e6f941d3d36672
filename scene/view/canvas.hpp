// Drawing onto a 32-bit XRGB8888 surface, everything clipped to one rectangle: fills and
// premultiplied "over" composition. The only pixel-pushing code of the view.
#pragma once

#include <SDL.h>

#include <span>

#include "scene/geometry.hpp"
#include "scene/view/premultiplied_image.hpp"
#include "scene/view/sdl_handles.hpp"

namespace bolvenda::view {

inline constexpr Uint32 canvas_format = SDL_PIXELFORMAT_RGB888;

class Canvas {
  public:
    // The surface must be canvas_format and stay alive and unlocked-for-software as long.
    // Its top-left pixel is the point origin: every rectangle given is in the coordinates
    // of a larger whole (the window) of which the surface holds one part.
    explicit Canvas(SDL_Surface& surface, scene::Point origin = {});

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
    // Where the point (inside the surface) is in its memory.
    Uint32* at(int x, int y) const;

    SDL_Surface* surface_;
    scene::Point origin_;
    scene::Rect clip_;
};

// A new surface of canvas_format; throws StartupError if SDL cannot allocate it.
SurfacePtr create_canvas_surface(int width, int height);

}  // namespace bolvenda::view
