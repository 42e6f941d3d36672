// The baseline for the game's start-up figures: the least an SDL2 window drawn in software
// costs. One window at the game's size, filled once in the game's background colour through
// the window's own surface, then asleep in SDL_WaitEvent until it is closed.
#include <SDL.h>

#include <cstdio>

int main(int, char**) {
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    if (SDL_Init(SDL_INIT_VIDEO) != 0) {
        std::fprintf(stderr, "bare_window: %s\n", SDL_GetError());
        return 1;
    }
    SDL_Window* window = SDL_CreateWindow("bare_window", SDL_WINDOWPOS_CENTERED,
                                          SDL_WINDOWPOS_CENTERED, 792, 566, SDL_WINDOW_HIDDEN);
    SDL_Surface* surface = window != nullptr ? SDL_GetWindowSurface(window) : nullptr;
    if (surface == nullptr) {
        std::fprintf(stderr, "bare_window: %s\n", SDL_GetError());
        SDL_Quit();
        return 1;
    }
    SDL_FillRect(surface, nullptr, SDL_MapRGB(surface->format, 0xC0, 0xFF, 0xFF));
    SDL_UpdateWindowSurface(window);
    SDL_ShowWindow(window);

    SDL_Event event;
    while (SDL_WaitEvent(&event)) {
        if (event.type == SDL_QUIT) break;
        if (event.type == SDL_WINDOWEVENT && event.window.event == SDL_WINDOWEVENT_CLOSE) break;
        if (event.type == SDL_WINDOWEVENT && event.window.event == SDL_WINDOWEVENT_EXPOSED)
            SDL_UpdateWindowSurface(window);
    }
    SDL_DestroyWindow(window);
    SDL_Quit();
    return 0;
}
