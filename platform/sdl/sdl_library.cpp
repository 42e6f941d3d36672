#include "platform/sdl/sdl_library.hpp"

#include <SDL.h>

#include <chrono>
#include <string>
#include <string_view>
#include <thread>

#include "platform/sdl/system.hpp"
#include "render/startup_error.hpp"

namespace bolvenda::sdl {

namespace {

using namespace std::chrono_literals;

// How long a named display that cannot be opened yet is waited for, and the pause between
// tries: a session's display comes up in well under a second.
constexpr auto display_wait = 2s;
constexpr auto retry_pause = 100ms;

// Starts SDL's video on a display the user can see; why not, with video stopped again, if not.
std::string start_visible_video() {
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) return SDL_GetError();
    // Without a display SDL falls back to a driver that shows nothing; a game nobody can see
    // would wait for clicks forever. Only a caller who asked for such a driver gets one.
    const char* driver = SDL_GetCurrentVideoDriver();
    bool invisible = driver != nullptr && (std::string_view(driver) == "offscreen" ||
                                           std::string_view(driver) == "dummy");
    if (invisible && SDL_GetHint(SDL_HINT_VIDEODRIVER) == nullptr) {
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        return "is DISPLAY set?";
    }
    return {};
}

}  // namespace

VideoLibrary::VideoLibrary() {
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    SDL_SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");  // the first tap on the window counts
    system::handle_display_errors();
    // A display started with the session may not take connections yet, and an X server that
    // resets as its last client leaves (a check that it is up, a login screen) drops those it
    // took meanwhile: such a display is tried again for a moment before the game gives up.
    const auto give_up =
        std::chrono::steady_clock::now() + (system::display_named() ? display_wait : 0s);
    std::string why = start_visible_video();
    while (!why.empty() && std::chrono::steady_clock::now() < give_up) {
        std::this_thread::sleep_for(retry_pause);
        why = start_visible_video();
    }
    if (!why.empty()) {
        SDL_Quit();
        throw render::StartupError(
            "cannot open the game window: no display available (" + why + ")",
            "Impossibile aprire la finestra del gioco: nessuno schermo disponibile.");
    }
}

VideoLibrary::~VideoLibrary() {
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
    SDL_Quit();
}

}  // namespace bolvenda::sdl
