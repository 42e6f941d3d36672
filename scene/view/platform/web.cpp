// The platform in a browser page: no threads (they need cross-origin isolation, which a page
// opened from disk cannot have), and a window the page sizes.
#include <emscripten.h>
#include <emscripten/html5.h>

#include <cstdint>
#include <ctime>
#include <memory>

#include "scene/layout.hpp"
#include "scene/view/platform.hpp"
#include "scene/view/platform/local_time.hpp"

// The page's canvas takes RGBA bytes; its context is made opaque, as the game's frame is.
EM_JS(void, put_rgba_on_canvas, (const void* rgba, int x, int y, int w, int h), {
    const context = Module.canvas.getContext('2d', {alpha : false});
    context.putImageData(new ImageData(new Uint8ClampedArray(HEAPU8.buffer, rgba, w * h * 4), w, h),
                         x, y);
});

namespace bolvenda::view::platform {

void prepare_process() {}
void release_startup_memory() {}
bool has_threads() { return false; }

FirstWindow first_window() {
    // The web host fits the window to the page in device pixels; SDL's own handling of a
    // resizable window would size it in CSS pixels and clear it behind our back.
    return {scene::design_width, scene::design_height, 0};
}

void handle_display_errors() {}
// The page is the display: there when the game runs.
bool display_named() { return false; }
// The system always places the window as asked.
void window_mode_changed(SDL_Window&, int, int) {}
void watch_window(SDL_Window&) {}
bool window_destroyed_by(SDL_Window&, const SDL_Event&) { return false; }

// Straight from the game's frame to the page's canvas, only where it changed. SDL's way would
// copy the whole window twice per frame, the second time in a loop of JavaScript.
bool shows_frames() { return true; }

void show_frame(SDL_Window&, const SDL_Surface& frame, std::span<const SDL_Rect> rects) {
    for (const SDL_Rect& r : rects) {
        SDL_Rect shown;
        const SDL_Rect whole{0, 0, frame.w, frame.h};
        if (!SDL_IntersectRect(&r, &whole, &shown)) continue;
        // Every pixel is written below: no zeroes first.
        const std::unique_ptr<std::uint32_t[]> rgba(
            new std::uint32_t[static_cast<std::size_t>(shown.w) *
                              static_cast<std::size_t>(shown.h)]);
        std::uint32_t* out = rgba.get();
        for (int y = shown.y; y < shown.y + shown.h; ++y) {
            const auto* row =
                static_cast<const std::uint32_t*>(frame.pixels) +
                static_cast<std::size_t>(y) * static_cast<std::size_t>(frame.pitch / 4);
            // 0x00RRGGBB words to the bytes R, G, B, 255 (little-endian words 0xFFBBGGRR).
            for (int x = shown.x; x < shown.x + shown.w; ++x) {
                const std::uint32_t p = row[x];
                *out++ = 0xFF000000u | (p & 0x0000FF00u) | (p >> 16 & 0xFFu) | (p & 0xFFu) << 16;
            }
        }
        put_rgba_on_canvas(rgba.get(), shown.x, shown.y, shown.w, shown.h);
    }
}

PointerLimits pointer_limits() {
    // Browsers ignore a CSS pointer picture larger than 128 CSS pixels.
    return {128, emscripten_get_device_pixel_ratio()};
}

bool animations_wanted() {
    return !EM_ASM_INT({
        return window.matchMedia && window.matchMedia('(prefers-reduced-motion: reduce)').matches
                   ? 1
                   : 0;
    });
}

double seconds_since_midnight() {
    return seconds_since_midnight_with(
        [](const std::time_t& t, std::tm& local) { localtime_r(&t, &local); });
}

}  // namespace bolvenda::view::platform
