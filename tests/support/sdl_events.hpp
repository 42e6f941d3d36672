// SDL events as the window system delivers them to the game's window, for the tests that
// feed the event loop on SDL's dummy video driver.
#pragma once

#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdint>

#include "render/pixel_buffer.hpp"

namespace bolvenda::testing {

// A window's surface (of the painter's format) as the painter's pixels.
inline render::PixelView view_of(const SDL_Surface& surface) {
    return {static_cast<std::uint32_t*>(surface.pixels), surface.w, surface.h, surface.pitch / 4};
}

inline SDL_Event pointer_motion(Uint32 window, int x, int y) {
    SDL_Event e{};
    e.type = SDL_MOUSEMOTION;
    e.motion.windowID = window;
    e.motion.x = x;
    e.motion.y = y;
    return e;
}

inline SDL_Event pointer_button(Uint32 window, bool down, int x, int y,
                                Uint8 which = SDL_BUTTON_LEFT) {
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

inline SDL_Event window_event(Uint32 window, Uint8 which, int data1 = 0, int data2 = 0) {
    SDL_Event e{};
    e.type = SDL_WINDOWEVENT;
    e.window.windowID = window;
    e.window.event = which;
    e.window.data1 = data1;
    e.window.data2 = data2;
    return e;
}

inline SDL_Event key_down(Uint32 window, SDL_Keycode key) {
    SDL_Event e{};
    e.type = SDL_KEYDOWN;
    e.key.windowID = window;
    e.key.keysym.sym = key;
    return e;
}

inline SDL_Event quit_event() {
    SDL_Event e{};
    e.type = SDL_QUIT;
    return e;
}

// Into SDL's queue, stamped with the time now; a fatal failure if SDL refuses it.
inline void push(SDL_Event event) {
    event.common.timestamp = SDL_GetTicks();
    ASSERT_EQ(SDL_PushEvent(&event), 1) << SDL_GetError();
}

}  // namespace bolvenda::testing
