#include "render/painter.hpp"

#include <algorithm>
#include <cstring>
#include <memory>

namespace bolvenda::render {

using runtime::ElementKind;
using scene::Placement;
using scene::Rect;
using scene::Viewport;

void Painter::prepare_base(const scene::Layout& layout, const Viewport& viewport,
                           const PixelView* scratch) {
    if (!base_.empty() && base_viewport_ == viewport) return;
    if (base_viewport_ && base_viewport_->scale() != viewport.scale()) {
        pictures_->forget_sizes();
        labels_->forget_sizes();
        tips_->forget_sizes();
    }
    pictures_->use_scale(viewport.scale());
    base_.clear();  // one base layer at a time, even while the next is made
    // The pond before the new layer: decoding needs twice the picture's size for a moment,
    // and the two peaks should not add up. Above the design size it is drawn instead.
    std::unique_ptr<PremultipliedImage> pond;
    if (!pictures_->from_drawings())
        pond = std::make_unique<PremultipliedImage>(pictures_->decode(scene::Picture::Pond));
    // Only the scene's rectangle is drawn and kept: the letterbox is the background colour.
    // Drawn where the frame will be, when there is one: in a browser, fresh memory costs more
    // than the pixels drawn into it.
    const Rect client = viewport.client_area();
    const bool on_scratch = scratch != nullptr;
    PixelImage drawn;
    if (!on_scratch) drawn = PixelImage(client.width, client.height);
    base_viewport_ = viewport;

    Canvas canvas(on_scratch ? *scratch : drawn.view(),
                  on_scratch ? scene::Point{0, 0} : scene::Point{client.left, client.top});
    // 1. The background colour, where the pond is not.
    canvas.fill(client, scene::background_colour);
    // 2. The pond at its natural size from the client area's corner, cut to the client area:
    //    only the part the window shows is resampled, straight into the base layer.
    const scene::PictureRow& row = scene::row_of(scene::Picture::Pond);
    Rect shown{0, 0, std::min(row.width, scene::design_width),
               std::min(row.height, scene::design_height)};
    const Rect target = viewport.to_window(shown);
    if (pond) {
        canvas.blend_resampled(*pond, shown, target, scene::background_colour);
        pond.reset();
    } else {
        const Rect whole = viewport.to_window({0, 0, row.width, row.height});
        canvas.blend_drawn(pictures_->drawing(scene::Picture::Pond), "pond.svg", whole.width,
                           whole.height, {0, 0, target.width, target.height}, target,
                           scene::background_colour);
    }
    // 3. The lines lie behind every other element and never change.
    const auto& order = layout.front_to_back();
    for (auto it = order.rbegin(); it != order.rend(); ++it)
        if (it->element->kind() == ElementKind::Line && it->element->visible())
            draw_line(canvas, *it, viewport);
    const std::uint32_t outside = pixel_of(scene::background_colour);
    if (!on_scratch) {
        base_.keep(std::move(drawn), client, outside);
        return;
    }
    base_.keep_copy(scratch->part(client), client, outside);
    frame_.reset();  // the frame was drawn over: the next paint is whole
}

void Painter::prepare(const scene::Layout& layout, const Viewport& viewport) {
    prepare_base(layout, viewport);
    for (const Placement& placed : layout.front_to_back()) {
        if (placed.element->kind() == ElementKind::Image) {
            // Only what is shown: a picture still hidden is made when it first shows.
            if (!placed.element->visible()) continue;
            Rect r = picture_rect(placed, viewport);
            pictures_->sized(placed.picture, r.width, r.height);
        } else if (placed.element->kind() == ElementKind::Label &&
                   !placed.element->caption().empty()) {
            const int px = viewport.length(placed.font_px);
            labels_->render(placed.element->caption(), px, placed.text_colour);
            // A label that is a button is drawn dimmed while it cannot be clicked: both looks
            // ready, so that neither the first frame nor the first round renders text.
            if (placed.hand)
                labels_->render(placed.element->caption(), px, scene::disabled_text_colour);
        }
    }
}

void Painter::draw_line(Canvas& canvas, const Placement& line, const Viewport& viewport) {
    // A 2-pixel pen centred on the line: the pixel column (or row) before the coordinate and
    // the one on it, both end points included.
    int width = viewport.length(scene::line_width);
    int before = width / 2;
    int x0 = std::min(line.from.x, line.to.x), x1 = std::max(line.from.x, line.to.x);
    int y0 = std::min(line.from.y, line.to.y), y1 = std::max(line.from.y, line.to.y);
    int left = viewport.x(x0), right = viewport.x(x1), top = viewport.y(y0),
        bottom = viewport.y(y1);
    if (x0 == x1) {
        canvas.fill({left - before, top, width, bottom - top + 1}, scene::line_colour);
    } else {
        canvas.fill({left, top - before, right - left + 1, width}, scene::line_colour);
    }
}

Rect Painter::picture_rect(const Placement& picture, const Viewport& viewport) const {
    if (picture.stretch) return viewport.to_window(picture.rect);
    // Unstretched: at its own size from the rectangle's corner, cut to the rectangle.
    const PictureSize natural = pictures_->natural_size(picture.picture);
    return viewport.to_window({picture.rect.left, picture.rect.top, natural.width, natural.height});
}

void Painter::draw_picture(Canvas& canvas, const Placement& picture, const Viewport& viewport,
                           bool mirrored) {
    Rect own = picture_rect(picture, viewport);
    Canvas clipped = canvas;
    clipped.clip_to(viewport.to_window(picture.rect));
    clipped.blend(pictures_->sized(picture.picture, own.width, own.height), own.left, own.top,
                  mirrored);
}

void Painter::draw_label(Canvas& canvas, const Placement& label, const Viewport& viewport) {
    const std::string& caption = label.element->caption();
    if (caption.empty()) return;
    Rect r = viewport.to_window(label.rect);
    const RenderedText& rendered =
        labels_->render(caption, viewport.length(label.font_px), label.ink());
    const PremultipliedImage& text = rendered.image;
    int x = r.left;
    if (label.align == scene::Align::Center) x = r.left + (r.width - text.width) / 2;
    if (label.align == scene::Align::Right) x = r.right() - text.width;
    // A label never grows with its text: what does not fit its rectangle is cut off.
    Canvas clipped = canvas;
    clipped.clip_to(r);
    clipped.blend(text, x, r.top - rendered.rise);
}

Rect Painter::tooltip_rect(const scene::Tooltip& tip, const Viewport& viewport) {
    const RenderedText& rendered =
        tips_->render(tip.text, viewport.length(tooltip_font_px), tooltip_ink);
    int pad = viewport.length(3);
    int w = rendered.image.width + 2 * (pad + 1);
    int h = tips_->line_height(viewport.length(tooltip_font_px)) + 2 + pad;
    // Below the pointer's hand, as desktops place it; above it where the window ends.
    int px = viewport.x(tip.at.x), py = viewport.y(tip.at.y);
    int x = px;
    int y = py + viewport.length(22);
    if (y + h > viewport.window_height()) y = py - h - viewport.length(4);
    x = std::clamp(x, 0, std::max(0, viewport.window_width() - w));
    y = std::clamp(y, 0, std::max(0, viewport.window_height() - h));
    return {x, y, w, h};
}

void Painter::draw_tooltip(Canvas& canvas, const scene::Tooltip& tip, const Viewport& viewport) {
    Rect box = tooltip_rect(tip, viewport);
    const RenderedText& rendered =
        tips_->render(tip.text, viewport.length(tooltip_font_px), tooltip_ink);
    int pad = viewport.length(3);
    canvas.fill(box, tooltip_ink);
    canvas.fill({box.left + 1, box.top + 1, box.width - 2, box.height - 2}, tooltip_paper);
    canvas.blend(rendered.image, box.left + 1 + pad, box.top + 1 + pad / 2 - rendered.rise);
}

Rect Painter::element_rect(const Placement& placed, const Viewport& viewport) const {
    return viewport.to_window(placed.rect);
}

void Painter::draw_overlay(Canvas& canvas, const scene::Layout& layout,
                           const scene::Overlay& overlay, const Viewport& viewport) {
    if (overlay.kind == scene::Overlay::Kind::Mark) {
        const Rect r = viewport.to_window(overlay.at);
        const int t = viewport.length(overlay.thickness);
        canvas.fill({r.left, r.top, r.width, t}, overlay.colour);
        canvas.fill({r.left, r.bottom() - t, r.width, t}, overlay.colour);
        canvas.fill({r.left, r.top + t, t, r.height - 2 * t}, overlay.colour);
        canvas.fill({r.right() - t, r.top + t, t, r.height - 2 * t}, overlay.colour);
        return;
    }
    Placement shown = layout.of(*overlay.element);
    shown.rect = overlay.at;
    if (shown.element->kind() == ElementKind::Image)
        draw_picture(canvas, shown, viewport, overlay.mirrored);
    else if (shown.element->kind() == ElementKind::Label)
        draw_label(canvas, shown, viewport);
}

void Painter::draw_area(const scene::Layout& layout, const Viewport& viewport,
                        const PixelView& target, Rect area, const Frame& frame) {
    base_.copy_to(target, area);

    Canvas canvas(target);
    canvas.clip_to(area);
    Canvas scene_canvas = canvas;
    scene_canvas.clip_to(viewport.client_area());
    const auto& order = layout.front_to_back();
    for (auto it = order.rbegin(); it != order.rend(); ++it) {
        const Placement& placed = *it;
        if (!placed.element->visible() || placed.element->kind() == ElementKind::Line) continue;
        Rect own = element_rect(placed, viewport);
        if (own.right() <= area.left || own.left >= area.right() || own.bottom() <= area.top ||
            own.top >= area.bottom())
            continue;
        if (scene::moves(frame.overlays, placed.element)) continue;  // drawn elsewhere for now
        if (placed.element->kind() == ElementKind::Image)
            draw_picture(scene_canvas, placed, viewport);
        else
            draw_label(scene_canvas, placed, viewport);
    }
    // In front of every element, as a leaping frog passes over the others.
    for (const scene::Overlay& overlay : frame.overlays)
        draw_overlay(scene_canvas, layout, overlay, viewport);
    if (frame.tip)
        draw_tooltip(canvas, *frame.tip, viewport);  // a tooltip may reach into the letterbox
}

void Painter::add_overlay_damage(std::vector<Rect>& damage, const scene::Layout& layout,
                                 const Viewport& viewport, const scene::Overlay& overlay,
                                 std::span<const scene::Overlay> other) const {
    auto add = [&damage](Rect r) {
        if (std::find(damage.begin(), damage.end(), r) == damage.end()) damage.push_back(r);
    };
    add(viewport.to_window(overlay.at));
    if (overlay.kind == scene::Overlay::Kind::Moved && !scene::moves(other, overlay.element))
        add(element_rect(layout.of(*overlay.element), viewport));
}

std::vector<Rect> Painter::paint(const scene::Layout& layout, const Viewport& viewport,
                                 const PixelView& target,
                                 std::span<const runtime::Element* const> changed,
                                 const std::optional<scene::Tooltip>& tip,
                                 std::span<const scene::Overlay> overlays) {
    prepare_base(layout, viewport, &target);
    Frame now{target.pixels, viewport, tip, tip ? tooltip_rect(*tip, viewport) : Rect{},
              std::vector<scene::Overlay>(overlays.begin(), overlays.end())};
    const Rect whole{0, 0, viewport.window_width(), viewport.window_height()};
    std::vector<Rect> damage;
    if (!frame_ || frame_->pixels != now.pixels || !(frame_->viewport == viewport)) {
        damage.push_back(whole);
    } else {
        for (const runtime::Element* element : changed)
            damage.push_back(element_rect(layout.of(*element), viewport));
        bool tip_changed =
            frame_->tip.has_value() != now.tip.has_value() ||
            (now.tip && (frame_->tip->text != now.tip->text || !(frame_->tip->at == now.tip->at)));
        if (tip_changed) {
            if (frame_->tip) damage.push_back(frame_->tip_rect);
            if (now.tip) damage.push_back(now.tip_rect);
        }
        // Where each overlay that went or came was and is; where an element stops or starts
        // being drawn elsewhere, its own place too.
        auto in = [](const std::vector<scene::Overlay>& list, const scene::Overlay& o) {
            return std::find(list.begin(), list.end(), o) != list.end();
        };
        for (const scene::Overlay& o : frame_->overlays)
            if (!in(now.overlays, o)) add_overlay_damage(damage, layout, viewport, o, now.overlays);
        for (const scene::Overlay& o : now.overlays)
            if (!in(frame_->overlays, o))
                add_overlay_damage(damage, layout, viewport, o, frame_->overlays);
    }
    for (Rect& area : damage) {
        area = Rect{std::max(area.left, 0), std::max(area.top, 0),
                    std::min(area.right(), whole.width) - std::max(area.left, 0),
                    std::min(area.bottom(), whole.height) - std::max(area.top, 0)};
        if (area.width > 0 && area.height > 0) draw_area(layout, viewport, target, area, now);
    }
    std::erase_if(damage, [](const Rect& a) { return a.width <= 0 || a.height <= 0; });
    frame_ = std::move(now);
    return damage;
}

}  // namespace bolvenda::render
