#include "scene/view/sdl_library.hpp"

#include <SDL.h>

#include <cstdlib>
#if defined(__GLIBC__)
#include <malloc.h>
#endif
#include <string>
#include <string_view>

#include "scene/view/startup_error.hpp"
#include "scene/view/x11_errors.hpp"

namespace bolvenda::view {

void prepare_process_environment() {
#if defined(__GLIBC__)
    // One malloc arena: a second one, made for the start-up thread, would keep its freed
    // decoding buffers resident for the whole game (about a megabyte).
    mallopt(M_ARENA_MAX, 1);
    // Layers and pictures made for one window size, freed at the next, always to and from the
    // system: glibc would otherwise raise its threshold and keep them in a heap that a long
    // session of resizes leaves fragmented and growing.
    mallopt(M_MMAP_THRESHOLD, 256 * 1024);
#endif
#if defined(BOLVENDA_HAS_X11)
    // The game takes no text input, yet Xlib's input method would read the locale's whole
    // Compose table (half a megabyte, twice) while SDL starts. A user's own choice stands.
    if (std::getenv("XCOMPOSEFILE") == nullptr) setenv("XCOMPOSEFILE", "/dev/null", 0);
#endif
    // The window class the desktop's menu entry names, so that the running window joins its
    // icon. SDL 2.26 reads it from the environment when video starts; one the user set stays.
    SDL_setenv("SDL_VIDEO_X11_WMCLASS", BOLVENDA_APP_ID, 0);
    SDL_setenv("SDL_VIDEO_WAYLAND_WMCLASS", BOLVENDA_APP_ID, 0);
}

VideoLibrary::VideoLibrary() {
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    SDL_SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");  // the first tap on the window counts
    install_x11_error_handler();  // before SDL keeps the previous one as its own
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
        throw StartupError(std::string("cannot open the game window: no display available (") +
                               SDL_GetError() + ")",
                           "Impossibile aprire la finestra del gioco: nessuno schermo disponibile.");
    }
    // Without a display SDL falls back to a driver that shows nothing; a game nobody can see
    // would wait for clicks forever. Only a caller who asked for such a driver gets one.
    const char* driver = SDL_GetCurrentVideoDriver();
    bool invisible = driver != nullptr &&
                     (std::string_view(driver) == "offscreen" || std::string_view(driver) == "dummy");
    if (invisible && SDL_GetHint(SDL_HINT_VIDEODRIVER) == nullptr) {
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        SDL_Quit();
        throw StartupError("cannot open the game window: no display available (is DISPLAY set?)",
                           "Impossibile aprire la finestra del gioco: nessuno schermo disponibile.");
    }
}

VideoLibrary::~VideoLibrary() {
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
    SDL_Quit();
}

}  // namespace bolvenda::view
