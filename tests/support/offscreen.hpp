// The window's painter without a window: renders a scene's state into pixels, a whole repaint
// each time, so that tests and tools can hold them against what a window shows.
#pragma once

#include <SDL.h>

#include <optional>
#include <span>

#include "scene/layout.hpp"
#include "scene/overlay.hpp"
#include "scene/tooltip_tracker.hpp"
#include "scene/view/painter.hpp"
#include "scene/view/picture_set.hpp"
#include "scene/view/sdl_library.hpp"
#include "scene/view/text_renderer.hpp"
#include "tests/support/pixels.hpp"

namespace bolvenda::testing {

class Offscreen {
  public:
    Offscreen();

    Pixels render(const scene::Scene& scene, int width = scene::design_width,
                  int height = scene::design_height,
                  const std::optional<scene::TooltipTracker::Shown>& tip = std::nullopt,
                  std::span<const scene::Overlay> overlays = {});

    view::PictureSet& pictures() { return pictures_; }
    view::Painter& painter() { return painter_; }

  private:
    view::SdlLibrary sdl_{false};
    view::PictureSet pictures_;
    view::TextRenderer labels_;
    view::TextRenderer tips_;
    view::Painter painter_;
};

// A canvas surface's pixels (a window's own surface has the same format).
Pixels pixels_of(const SDL_Surface& surface);

}  // namespace bolvenda::testing
