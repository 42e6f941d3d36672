// Owning handles for SDL resources: each is freed exactly once, on every path.
#pragma once

#include <SDL.h>

#include <memory>

namespace bolvenda::sdl {

struct SurfaceDeleter {
    void operator()(SDL_Surface* s) const noexcept { SDL_FreeSurface(s); }
};
struct WindowDeleter {
    void operator()(SDL_Window* w) const noexcept { SDL_DestroyWindow(w); }
};
struct CursorDeleter {
    void operator()(SDL_Cursor* c) const noexcept { SDL_FreeCursor(c); }
};
struct RwDeleter {
    void operator()(SDL_RWops* rw) const noexcept { SDL_RWclose(rw); }
};

using SurfacePtr = std::unique_ptr<SDL_Surface, SurfaceDeleter>;
using WindowPtr = std::unique_ptr<SDL_Window, WindowDeleter>;
using CursorPtr = std::unique_ptr<SDL_Cursor, CursorDeleter>;
using RwPtr = std::unique_ptr<SDL_RWops, RwDeleter>;

}  // namespace bolvenda::sdl
