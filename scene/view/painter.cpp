#include "scene/view/painter.hpp"

#include <algorithm>
#include <cstring>

namespace bolvenda::view {

using runtime::ElementKind;
using scene::Placement;
using scene::Rect;
using scene::Viewport;

void Painter::prepare_base(const scene::Layout& layout, const Viewport& viewport) {
    if (base_ && base_viewport_ == viewport) return;
    if (base_viewport_ && base_viewport_->scale() != viewport.scale()) {
        pictures_->forget_sizes();
        labels_->forget_sizes();
        tips_->forget_sizes();
    }
    base_ = create_canvas_surface(viewport.window_width(), viewport.window_height());
    base_viewport_ = viewport;

    Canvas canvas(*base_);
    // 1. The background colour, which shows only in the letterbox and where the pond is not.
    canvas.fill({0, 0, viewport.window_width(), viewport.window_height()}, scene::background_colour);
    // 2. The pond at its natural size from the client area's corner, cut to the client area.
    Rect client = viewport.client_area();
    canvas.clip_to(client);
    const PremultipliedImage& pond = pictures_->natural(scene::Picture::Pond);
    Rect pond_rect = viewport.to_window({0, 0, pond.width, pond.height});
    canvas.blend(pictures_->sized(scene::Picture::Pond, pond_rect.width, pond_rect.height),
                 pond_rect.left, pond_rect.top);
    // 3. The lines lie behind every other element and never change.
    const auto& order = layout.front_to_back();
    for (auto it = order.rbegin(); it != order.rend(); ++it)
        if (it->element->kind() == ElementKind::Line && it->element->visible())
            draw_line(canvas, *it, viewport);
}

void Painter::draw_line(Canvas& canvas, const Placement& line, const Viewport& viewport) {
    // A 2-pixel pen centred on the line: the pixel column (or row) before the coordinate and
    // the one on it, both end points included.
    int width = viewport.length(scene::line_width);
    int before = width / 2;
    int x0 = std::min(line.from.x, line.to.x), x1 = std::max(line.from.x, line.to.x);
    int y0 = std::min(line.from.y, line.to.y), y1 = std::max(line.from.y, line.to.y);
    int left = viewport.x(x0), right = viewport.x(x1), top = viewport.y(y0), bottom = viewport.y(y1);
    if (x0 == x1) {
        canvas.fill({left - before, top, width, bottom - top + 1}, scene::line_colour);
    } else {
        canvas.fill({left, top - before, right - left + 1, width}, scene::line_colour);
    }
}

void Painter::draw_picture(Canvas& canvas, const Placement& picture, const Viewport& viewport) {
    Rect r = viewport.to_window(picture.rect);
    if (picture.stretch) {
        canvas.blend(pictures_->sized(picture.picture, r.width, r.height), r.left, r.top);
        return;
    }
    const PremultipliedImage& natural = pictures_->natural(picture.picture);
    Rect own = viewport.to_window({picture.rect.left, picture.rect.top, natural.width, natural.height});
    Canvas clipped = canvas;
    clipped.clip_to(r);
    clipped.blend(pictures_->sized(picture.picture, own.width, own.height), own.left, own.top);
}

void Painter::draw_label(Canvas& canvas, const Placement& label, const Viewport& viewport) {
    const std::string& caption = label.element->caption();
    if (caption.empty()) return;
    Rect r = viewport.to_window(label.rect);
    const RenderedText& rendered =
        labels_->render(caption, viewport.length(label.font_px), label.text_colour);
    const PremultipliedImage& text = rendered.image;
    int x = r.left;
    if (label.align == scene::Align::Center) x = r.left + (r.width - text.width) / 2;
    if (label.align == scene::Align::Right) x = r.right() - text.width;
    // A label never grows with its text: what does not fit its rectangle is cut off.
    Canvas clipped = canvas;
    clipped.clip_to(r);
    clipped.blend(text, x, r.top - rendered.rise);
}

void Painter::draw_tooltip(Canvas& canvas, const scene::TooltipTracker::Shown& tip,
                           const Viewport& viewport) {
    const RenderedText& rendered =
        tips_->render(tip.text, viewport.length(tooltip_font_px), tooltip_ink);
    const PremultipliedImage& text = rendered.image;
    int pad = viewport.length(3);
    int border = 1;
    int w = text.width + 2 * (pad + border);
    int h = tips_->line_height(viewport.length(tooltip_font_px)) + 2 * border + pad;
    // Below the pointer's hand, as desktops place it; above it where the window ends.
    int px = viewport.x(tip.at.x), py = viewport.y(tip.at.y);
    int x = px;
    int y = py + viewport.length(22);
    if (y + h > viewport.window_height()) y = py - h - viewport.length(4);
    x = std::clamp(x, 0, std::max(0, viewport.window_width() - w));
    y = std::clamp(y, 0, std::max(0, viewport.window_height() - h));
    canvas.fill({x, y, w, h}, tooltip_ink);
    canvas.fill({x + border, y + border, w - 2 * border, h - 2 * border}, tooltip_paper);
    canvas.blend(text, x + border + pad, y + border + pad / 2 - rendered.rise);
}

void Painter::paint(const scene::Layout& layout, const Viewport& viewport, SDL_Surface& target,
                    const std::optional<scene::TooltipTracker::Shown>& tip) {
    prepare_base(layout, viewport);
    SDL_BlitSurface(base_.get(), nullptr, &target, nullptr);

    Canvas canvas(target);
    canvas.clip_to(viewport.client_area());
    const auto& order = layout.front_to_back();
    for (auto it = order.rbegin(); it != order.rend(); ++it) {
        const Placement& placed = *it;
        if (!placed.element->visible()) continue;
        switch (placed.element->kind()) {
            case ElementKind::Line: break;  // in the base layer
            case ElementKind::Image: draw_picture(canvas, placed, viewport); break;
            case ElementKind::Label: draw_label(canvas, placed, viewport); break;
        }
    }
    if (tip) {
        Canvas whole(target);  // a tooltip may reach into the letterbox
        draw_tooltip(whole, *tip, viewport);
    }
}

}  // namespace bolvenda::view
