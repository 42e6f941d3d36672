// The event builders of sdl_events.hpp.
#include "tests/support/sdl_events.hpp"

#include <gtest/gtest.h>

namespace bolvenda::testing {

SDL_Event pointer_motion(Uint32 window, int x, int y) {
    SDL_Event e{};
    e.type = SDL_MOUSEMOTION;
    e.motion.windowID = window;
    e.motion.x = x;
    e.motion.y = y;
    return e;
}

SDL_Event pointer_button(Uint32 window, bool down, int x, int y, Uint8 which) {
    SDL_Event e{};
    e.type = down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
    e.button.windowID = window;
    e.button.button = which;
    e.button.state = down ? SDL_PRESSED : SDL_RELEASED;
    e.button.clicks = 1;
    e.button.x = x;
    e.button.y = y;
    return e;
}

SDL_Event window_event(Uint32 window, Uint8 which, int data1, int data2) {
    SDL_Event e{};
    e.type = SDL_WINDOWEVENT;
    e.window.windowID = window;
    e.window.event = which;
    e.window.data1 = data1;
    e.window.data2 = data2;
    return e;
}

SDL_Event key_down(Uint32 window, SDL_Keycode key) {
    SDL_Event e{};
    e.type = SDL_KEYDOWN;
    e.key.windowID = window;
    e.key.keysym.sym = key;
    return e;
}

SDL_Event quit_event() {
    SDL_Event e{};
    e.type = SDL_QUIT;
    return e;
}

void push(SDL_Event event) {
    event.common.timestamp = SDL_GetTicks();
    ASSERT_EQ(SDL_PushEvent(&event), 1) << SDL_GetError();
}

}  // namespace bolvenda::testing
