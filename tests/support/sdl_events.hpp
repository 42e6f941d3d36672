// SDL events as the window system delivers them to the game's window, for the tests that
// feed the event loop on SDL's dummy video driver.
#pragma once

#include <SDL.h>

namespace bolvenda::testing {

SDL_Event pointer_motion(Uint32 window, int x, int y);
SDL_Event pointer_button(Uint32 window, bool down, int x, int y, Uint8 which = SDL_BUTTON_LEFT);
SDL_Event window_event(Uint32 window, Uint8 which, int data1 = 0, int data2 = 0);
SDL_Event key_down(Uint32 window, SDL_Keycode key);
SDL_Event quit_event();

// Into SDL's queue, stamped with the time now; a fatal failure if SDL refuses it.
void push(SDL_Event event);

}  // namespace bolvenda::testing
