// The platform on Windows: a window sized for the display's scale (Bolvenda.exe declares
// itself DPI aware, to be drawn sharp), and the C runtime's local time.
// Before any header brings in windows.h: std::min, not its macro.
#define NOMINMAX
#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <algorithm>
#include <ctime>

#include "platform/sdl/system.hpp"
#include "runtime/local_time.hpp"
#include "scene/layout.hpp"

namespace bolvenda::sdl::system {

void prepare_process() {}
void release_startup_memory() {}
bool has_threads() { return true; }

FirstWindow first_window() {
    // Windows leaves the scaling of a display to a DPI-aware program: the window is made as
    // large as the display's scale asks, within the screen, and the scene scales with it.
    FirstWindow window{scene::design_width, scene::design_height, SDL_WINDOW_RESIZABLE};
    float dpi = 0;
    SDL_Rect usable{};
    if (SDL_GetDisplayDPI(0, &dpi, nullptr, nullptr) == 0 && dpi > 96.0f &&
        SDL_GetDisplayUsableBounds(0, &usable) == 0) {
        // A tenth of the screen left for the window's frame and title bar.
        const double scale =
            std::min({dpi / 96.0, 0.9 * usable.w / window.width, 0.9 * usable.h / window.height});
        if (scale > 1.0) {
            window.width = static_cast<int>(window.width * scale + 0.5);
            window.height = static_cast<int>(window.height * scale + 0.5);
        }
    }
    return window;
}

void handle_display_errors() {}
// The desktop is there before any program of its session runs.
bool display_named() { return false; }
// The system always places the window as asked.
void window_mode_changed(SDL_Window&, int, int) {}
void watch_window(SDL_Window&) {}
bool window_destroyed_by(SDL_Window&, const SDL_Event&) { return false; }

PointerLimits pointer_limits() {
    // The largest size Windows' own pointer settings reach.
    return {256, 1.0};
}

bool animations_wanted() {
    // "Show animations in Windows", under Ease of Access.
    BOOL animate = TRUE;
    if (!SystemParametersInfoW(SPI_GETCLIENTAREAANIMATION, 0, &animate, 0)) return true;
    return animate != FALSE;
}

double seconds_since_midnight() {
    return runtime::seconds_since_midnight_with(
        [](const std::time_t& t, std::tm& local) { localtime_s(&local, &t); });
}

}  // namespace bolvenda::sdl::system
