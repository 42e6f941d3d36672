// Paints the window: the letterbox and the pond, then every visible element from the back of
// the drawing order to the front, then the tooltip. Lines and pond never change, so they are
// kept as a ready base layer per window size; a repaint copies it and draws the rest.
#pragma once

#include <optional>

#include "scene/layout.hpp"
#include "scene/tooltip_tracker.hpp"
#include "scene/viewport.hpp"
#include "scene/view/canvas.hpp"
#include "scene/view/picture_set.hpp"
#include "scene/view/sdl_handles.hpp"
#include "scene/view/text_renderer.hpp"

namespace bolvenda::view {

inline constexpr scene::Rgb tooltip_paper{0xFF, 0xFF, 0xE1};
inline constexpr scene::Rgb tooltip_ink{0x00, 0x00, 0x00};
inline constexpr int tooltip_font_px = 12;

class Painter {
public:
    // labels: Arial bold; tips: the tooltip's plain face.
    Painter(PictureSet& pictures, TextRenderer& labels, TextRenderer& tips)
        : pictures_(&pictures), labels_(&labels), tips_(&tips) {}

    // target must be canvas_format and viewport.window_width() x window_height().
    void paint(const scene::Layout& layout, const scene::Viewport& viewport, SDL_Surface& target,
               const std::optional<scene::TooltipTracker::Shown>& tip = std::nullopt);

private:
    void prepare_base(const scene::Layout& layout, const scene::Viewport& viewport);
    void draw_line(Canvas& canvas, const scene::Placement& line, const scene::Viewport& viewport);
    void draw_picture(Canvas& canvas, const scene::Placement& picture, const scene::Viewport& viewport);
    void draw_label(Canvas& canvas, const scene::Placement& label, const scene::Viewport& viewport);
    void draw_tooltip(Canvas& canvas, const scene::TooltipTracker::Shown& tip,
                      const scene::Viewport& viewport);

    PictureSet* pictures_;
    TextRenderer* labels_;
    TextRenderer* tips_;
    SurfacePtr base_;
    std::optional<scene::Viewport> base_viewport_;
};

}  // namespace bolvenda::view
