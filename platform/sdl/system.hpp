// Everything that differs between the desktop systems SDL runs the game on, Linux (X11) and
// Windows, as one small table of routines. Each system implements it in one file (linux.cpp,
// windows.cpp), chosen once by platform/sdl/CMakeLists.txt: no other file asks which system it
// runs on.
#pragma once

#include <SDL.h>

#include <span>

#include "runtime/clock.hpp"

namespace bolvenda::sdl::system {

// Process-wide settings (allocator, environment), made before any other thread starts.
void prepare_process();
// Start-up's large temporary buffers are freed: give their memory back to the system.
void release_startup_memory();
// Whether start-up work may run on a second thread beside the one that reaches the display.
bool has_threads();

// The size and flags the window opens with (besides hidden and full screen).
struct FirstWindow {
    int width;
    int height;
    Uint32 flags;
};
FirstWindow first_window();

// After the window is shown or switched between window and full screen: where no window
// manager places it (a kiosk's X server started straight into the game), it is made to cover
// its display in full screen, and the windowed size given out of it.
void window_mode_changed(SDL_Window& window, int windowed_width, int windowed_height);

// Made before SDL's video starts: how errors of the display connection are dealt with.
void handle_display_errors();
// Whether the user's session names a display that may still be coming up (one started with
// the session, as a kiosk's is), worth a moment's wait when it cannot be opened yet.
bool display_named();
// Once the window exists: ask for what tells of it being destroyed by another program, and
// recognise that event.
void watch_window(SDL_Window& window);
bool window_destroyed_by(SDL_Window& window, const SDL_Event& event);

// The largest pointer picture the platform shows, in its pixels, and how many of the window's
// pixels make one of them (the browser shows a pointer in CSS pixels, the window has device
// pixels).
struct PointerLimits {
    int largest;
    double window_pixels_per_pointer_pixel;
};
PointerLimits pointer_limits();

// Whether the user's system lets programs animate (the frog's leap): a setting to show
// animations, a preference for reduced motion.
bool animations_wanted();

// The local time of day, in seconds since midnight.
double seconds_since_midnight();

}  // namespace bolvenda::sdl::system

namespace bolvenda::sdl {

// The runtime's clock, read from the system.
class SystemClock final : public runtime::Clock {
  public:
    float seconds_since_midnight() override {
        return static_cast<float>(system::seconds_since_midnight());
    }
};

}  // namespace bolvenda::sdl
