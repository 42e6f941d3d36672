// Paints the window: the letterbox and the pond, then every visible element from the back of
// the drawing order to the front, then the overlays, then the tooltip. Lines and pond never
// change, so they are kept as a ready base layer per window size. A repaint onto the frame
// painted last redraws only the rectangles of the elements it is told changed (and of the
// overlays and the tooltip that came, went or moved): there it restores the base layer and
// draws everything that overlaps, back to front, so the result is the same as a whole
// repaint.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "render/base_layer.hpp"
#include "render/canvas.hpp"
#include "render/picture_set.hpp"
#include "render/text_renderer.hpp"
#include "scene/layout.hpp"
#include "scene/overlay.hpp"
#include "scene/tooltip.hpp"
#include "scene/viewport.hpp"

namespace bolvenda::render {

inline constexpr scene::Rgb tooltip_paper{0xFF, 0xFF, 0xE1};
inline constexpr scene::Rgb tooltip_ink{0x00, 0x00, 0x00};
inline constexpr int tooltip_font_px = 12;

class Painter {
  public:
    // labels: Bolvenda Sans Bold; tips: the tooltip's plain face, Bolvenda Sans Regular.
    Painter(PictureSet& pictures, TextRenderer& labels, TextRenderer& tips)
        : pictures_(&pictures), labels_(&labels), tips_(&tips) {}

    // target must be viewport.window_width() x window_height(); changed are
    // the elements changed since the last paint onto it (Scene::changes()); overlays are
    // drawn in their order over the elements, below the tooltip. Returns the window
    // rectangles that changed, to be put on screen.
    std::vector<scene::Rect> paint(const scene::Layout& layout, const scene::Viewport& viewport,
                                   const PixelView& target,
                                   std::span<const runtime::Element* const> changed = {},
                                   const std::optional<scene::Tooltip>& tip = std::nullopt,
                                   std::span<const scene::Overlay> overlays = {});
    // Makes ahead what painting at this viewport needs (the base layer, the shown pictures at
    // their sizes, the fonts and the labels' present texts), so that the paint itself only
    // composes.
    // Touches nothing but this painter and what it was given: it may run on another thread
    // while nothing else uses them.
    void prepare(const scene::Layout& layout, const scene::Viewport& viewport);
    // The next paint redraws the whole window: call it whenever the target is not the surface
    // painted last (a new surface may well reuse the old one's memory).
    void forget_frame() { frame_.reset(); }

  private:
    // The frame on the target: a new surface or size is painted whole.
    struct Frame {
        const void* pixels = nullptr;
        scene::Viewport viewport;
        std::optional<scene::Tooltip> tip;
        scene::Rect tip_rect;
        std::vector<scene::Overlay> overlays;
    };
    void draw_area(const scene::Layout& layout, const scene::Viewport& viewport,
                   const PixelView& target, scene::Rect area, const Frame& frame);
    // Where a picture is drawn at its scaled size (for an unstretched one, beyond its own
    // rectangle, which cuts it).
    scene::Rect picture_rect(const scene::Placement& picture,
                             const scene::Viewport& viewport) const;
    scene::Rect element_rect(const scene::Placement& placed, const scene::Viewport& viewport) const;
    scene::Rect tooltip_rect(const scene::Tooltip& tip, const scene::Viewport& viewport);
    // Makes the base layer for the viewport unless it is ready. scratch, where given, is the
    // window's frame, drawn on to make it (no picture's worth of fresh memory; the next paint
    // is then whole).
    void prepare_base(const scene::Layout& layout, const scene::Viewport& viewport,
                      const PixelView* scratch = nullptr);
    void draw_line(Canvas& canvas, const scene::Placement& line, const scene::Viewport& viewport);
    void draw_picture(Canvas& canvas, const scene::Placement& picture,
                      const scene::Viewport& viewport, bool mirrored = false);
    void draw_label(Canvas& canvas, const scene::Placement& label, const scene::Viewport& viewport);
    void draw_overlay(Canvas& canvas, const scene::Layout& layout, const scene::Overlay& overlay,
                      const scene::Viewport& viewport);
    // Where an overlay's pixels may be, and, for an element that starts or stops being drawn
    // elsewhere (it is moved in only one of the two lists), its own place too.
    void add_overlay_damage(std::vector<scene::Rect>& damage, const scene::Layout& layout,
                            const scene::Viewport& viewport, const scene::Overlay& overlay,
                            std::span<const scene::Overlay> other) const;
    void draw_tooltip(Canvas& canvas, const scene::Tooltip& tip, const scene::Viewport& viewport);

    PictureSet* pictures_;
    TextRenderer* labels_;
    TextRenderer* tips_;
    BaseLayer base_;
    std::optional<scene::Viewport> base_viewport_;
    std::optional<Frame> frame_;
};

}  // namespace bolvenda::render
