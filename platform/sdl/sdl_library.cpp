#include "platform/sdl/sdl_library.hpp"

#include <SDL.h>

#include <string>
#include <string_view>

#include "platform/sdl/system.hpp"
#include "render/startup_error.hpp"

namespace bolvenda::sdl {

VideoLibrary::VideoLibrary() {
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    SDL_SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");  // the first tap on the window counts
    system::handle_display_errors();
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
        throw render::StartupError(
            std::string("cannot open the game window: no display available (") + SDL_GetError() +
                ")",
            "Impossibile aprire la finestra del gioco: nessuno schermo disponibile.");
    }
    // Without a display SDL falls back to a driver that shows nothing; a game nobody can see
    // would wait for clicks forever. Only a caller who asked for such a driver gets one.
    const char* driver = SDL_GetCurrentVideoDriver();
    bool invisible = driver != nullptr && (std::string_view(driver) == "offscreen" ||
                                           std::string_view(driver) == "dummy");
    if (invisible && SDL_GetHint(SDL_HINT_VIDEODRIVER) == nullptr) {
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        SDL_Quit();
        throw render::StartupError(
            "cannot open the game window: no display available (is DISPLAY set?)",
            "Impossibile aprire la finestra del gioco: nessuno schermo disponibile.");
    }
}

VideoLibrary::~VideoLibrary() {
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
    SDL_Quit();
}

}  // namespace bolvenda::sdl
