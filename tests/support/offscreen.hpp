// The window's painter without a window: renders a scene's state into pixels, a whole repaint
// each time, so that tests and tools can hold them against what a window shows.
#pragma once

#include <optional>
#include <span>

#include "render/painter.hpp"
#include "render/picture_set.hpp"
#include "render/pixel_buffer.hpp"
#include "render/text_renderer.hpp"
#include "scene/layout.hpp"
#include "scene/overlay.hpp"
#include "scene/tooltip.hpp"
#include "tests/support/pixels.hpp"

namespace bolvenda::testing {

class Offscreen {
  public:
    Offscreen();

    Pixels render(const scene::Scene& scene, int width = scene::design_width,
                  int height = scene::design_height,
                  const std::optional<scene::Tooltip>& tip = std::nullopt,
                  std::span<const scene::Overlay> overlays = {});

    render::PictureSet& pictures() { return pictures_; }
    render::Painter& painter() { return painter_; }

  private:
    render::PictureSet pictures_;
    render::TextRenderer labels_;
    render::TextRenderer tips_;
    render::Painter painter_;
};

// The painter's pixels.
Pixels pixels_of(const render::PixelView& pixels);

}  // namespace bolvenda::testing
