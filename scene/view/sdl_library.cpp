#include "scene/view/sdl_library.hpp"

#include <SDL.h>
#include <SDL_ttf.h>

#include <string>

#include "scene/view/startup_error.hpp"

namespace bolvenda::view {

SdlLibrary::SdlLibrary(bool video) : video_(video) {
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    SDL_SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");  // the first tap on the window counts
    if (video_ && SDL_Init(SDL_INIT_VIDEO) != 0) {
        throw StartupError(std::string("cannot open the game window: no display available (") +
                               SDL_GetError() + ")",
                           "Impossibile aprire la finestra del gioco: nessuno schermo disponibile.");
    }
    if (TTF_Init() != 0) {
        std::string why = TTF_GetError();
        if (video_) SDL_Quit();
        throw StartupError("cannot start the text library (" + why + ")",
                           "Impossibile preparare i caratteri del gioco.");
    }
}

SdlLibrary::~SdlLibrary() {
    TTF_Quit();
    if (video_) SDL_Quit();
}

}  // namespace bolvenda::view
