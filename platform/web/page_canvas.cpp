#include "platform/web/page_canvas.hpp"

#include <emscripten.h>
#include <emscripten/html5.h>

#include <cmath>
#include <cstdint>
#include <memory>
#include <new>

#include "render/hand_pointer.hpp"
#include "render/startup_error.hpp"

// The canvas takes RGBA bytes; its context is made opaque, as the game's frame is.
EM_JS(void, put_rgba_on_canvas, (const void* rgba, int x, int y, int w, int h), {
    const context = Module.canvas.getContext('2d', {alpha : false});
    context.putImageData(new ImageData(new Uint8ClampedArray(HEAPU8.buffer, rgba, w * h * 4), w, h),
                         x, y);
});
// A pointer picture for the canvas: RGBA bytes made a PNG, its hot spot, the hand as fallback.
EM_JS(void, set_canvas_cursor, (const void* rgba, int size, int hot_x, int hot_y), {
    if (!rgba) {
        Module.canvas.style.cursor = "default";
        return;
    }
    const picture = document.createElement("canvas");
    picture.width = picture.height = size;
    picture.getContext("2d").putImageData(
        new ImageData(new Uint8ClampedArray(HEAPU8.buffer, rgba, size * size * 4).slice(), size,
                      size),
        0, 0);
    Module.hand = "url(" + picture.toDataURL() + ") " + hot_x + " " + hot_y + ", pointer";
    Module.canvas.style.cursor = Module.hand;
});
EM_JS(void, show_hand_again, (), { Module.canvas.style.cursor = Module.hand || "pointer"; });

namespace bolvenda::web {

namespace {
// Browsers ignore a CSS pointer picture larger than 128 CSS pixels.
constexpr int largest_pointer = 128;
}  // namespace

bool PageCanvas::fit_page() {
    double css_w = 0, css_h = 0;
    emscripten_get_element_css_size("#canvas", &css_w, &css_h);
    ratio_ = emscripten_get_device_pixel_ratio();
    const int w = static_cast<int>(std::lround(css_w * ratio_));
    const int h = static_cast<int>(std::lround(css_h * ratio_));
    if (w == frame_.width() && h == frame_.height() && !frame_.empty()) return false;
    // Setting a canvas's size clears it even where the size stays; only a change repaints.
    emscripten_set_canvas_element_size("#canvas", w, h);
    frame_ = {};
    try {
        frame_ = render::PixelImage(w, h);
    } catch (const render::StartupError&) {
        // Nothing drawn until a size that fits: the game goes on underneath.
    }
    return true;
}

std::optional<render::PixelView> PageCanvas::frame() {
    if (frame_.empty()) return std::nullopt;
    return frame_.view();
}

void PageCanvas::show(std::span<const scene::Rect> changed) {
    const scene::Rect whole{0, 0, frame_.width(), frame_.height()};
    for (const scene::Rect& r : changed) {
        const int left = std::max(r.left, 0), top = std::max(r.top, 0);
        const int right = std::min(r.right(), whole.width),
                  bottom = std::min(r.bottom(), whole.height);
        if (right <= left || bottom <= top) continue;
        const int w = right - left, h = bottom - top;
        // Every pixel is written below: no zeroes first.
        const std::unique_ptr<std::uint32_t[]> rgba(new (
            std::nothrow) std::uint32_t[static_cast<std::size_t>(w) * static_cast<std::size_t>(h)]);
        if (!rgba) continue;
        std::uint32_t* out = rgba.get();
        for (int y = top; y < bottom; ++y) {
            const std::uint32_t* row = frame_.row(y) + left;
            // 0x00RRGGBB words to the bytes R, G, B, 255 (little-endian words 0xFFBBGGRR).
            for (int x = 0; x < w; ++x) {
                const std::uint32_t p = row[x];
                *out++ = 0xFF000000u | (p & 0x0000FF00u) | (p >> 16 & 0xFFu) | (p & 0xFFu) << 16;
            }
        }
        put_rgba_on_canvas(rgba.get(), left, top, w, h);
    }
}

scene::Point PageCanvas::from_page(double x, double y) const {
    return {static_cast<int>(std::floor(x * ratio_)), static_cast<int>(std::floor(y * ratio_))};
}

void PageCanvas::set_cursor(scene::Cursor cursor) {
    const int size =
        cursor == scene::Cursor::Hand
            ? render::hand_pointer_size(frame_.width(), frame_.height(), ratio_, largest_pointer)
            : hand_size_;
    if (cursor == cursor_ && size == hand_size_) return;
    cursor_ = cursor;
    if (cursor == scene::Cursor::Arrow) {
        set_canvas_cursor(nullptr, 0, 0, 0);
        return;
    }
    if (size == hand_size_) {  // the page keeps the picture it was given
        show_hand_again();
        return;
    }
    hand_size_ = size;
    const std::optional<assets::IconImage> hand = render::hand_pointer(size);
    if (!hand || hand->width != size || hand->height != size) {
        show_hand_again();  // the browser's own hand is the next best sign of "click here"
        return;
    }
    std::vector<std::uint32_t> rgba(hand->argb.size());
    for (std::size_t i = 0; i < rgba.size(); ++i) {
        const std::uint32_t p = hand->argb[i];  // 0xAARRGGBB to the bytes R, G, B, A
        rgba[i] = (p & 0xFF00FF00u) | (p >> 16 & 0xFFu) | (p & 0xFFu) << 16;
    }
    set_canvas_cursor(rgba.data(), size, std::clamp(hand->hot_x, 0, size - 1),
                      std::clamp(hand->hot_y, 0, size - 1));
}

}  // namespace bolvenda::web
