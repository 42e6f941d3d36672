#include "scene/view/sdl_library.hpp"

#include <SDL.h>
#include <SDL_ttf.h>

#include <string>
#include <string_view>

#include "scene/view/startup_error.hpp"
#include "scene/view/x11_errors.hpp"

namespace bolvenda::view {

SdlLibrary::SdlLibrary(bool video) : video_(video) {
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    SDL_SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");  // the first tap on the window counts
    // The window class the desktop's menu entry names, so that the running window joins its
    // icon. SDL 2.26 reads it from the environment when video starts; one the user set stays.
    SDL_setenv("SDL_VIDEO_X11_WMCLASS", BOLVENDA_APP_ID, 0);
    SDL_setenv("SDL_VIDEO_WAYLAND_WMCLASS", BOLVENDA_APP_ID, 0);
    if (video_) install_x11_error_handler();  // before SDL keeps the previous one as its own
    if (video_ && SDL_Init(SDL_INIT_VIDEO) != 0) {
        throw StartupError(std::string("cannot open the game window: no display available (") +
                               SDL_GetError() + ")",
                           "Impossibile aprire la finestra del gioco: nessuno schermo disponibile.");
    }
    // Without a display SDL falls back to a driver that shows nothing; a game nobody can see
    // would wait for clicks forever. Only a caller who asked for such a driver gets one.
    if (video_) {
        const char* driver = SDL_GetCurrentVideoDriver();
        bool invisible = driver != nullptr && (std::string_view(driver) == "offscreen" ||
                                               std::string_view(driver) == "dummy");
        if (invisible && SDL_GetHint(SDL_HINT_VIDEODRIVER) == nullptr) {
            SDL_Quit();
            throw StartupError("cannot open the game window: no display available (is DISPLAY set?)",
                               "Impossibile aprire la finestra del gioco: nessuno schermo disponibile.");
        }
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
