// The platform in a browser page: no threads (they need cross-origin isolation, which a page
// opened from disk cannot have), and a window the page sizes.
#include <emscripten.h>

#include <ctime>

#include "scene/layout.hpp"
#include "scene/view/platform.hpp"
#include "scene/view/platform/local_time.hpp"

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
void watch_window(SDL_Window&) {}
bool window_destroyed_by(SDL_Window&, const SDL_Event&) { return false; }

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
