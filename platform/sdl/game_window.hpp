// The game's window: its title, icon and pointers, and the pixels it is drawn on. Drawn in
// software onto the window's own surface; where that surface has another pixel format, onto a
// canvas of ours copied across at present().
#pragma once

#include <SDL.h>

#include <optional>
#include <span>

#include "platform/sdl/sdl_handles.hpp"
#include "platform/sdl/system.hpp"
#include "render/pixel_buffer.hpp"
#include "scene/layout.hpp"
#include "scene/viewport.hpp"

namespace bolvenda::sdl {

struct PixelSize {
    int width = 0;
    int height = 0;
    friend bool operator==(PixelSize, PixelSize) = default;
};

class GameWindow {
  public:
    // Created hidden at the design size, or covering its display; throws StartupError.
    explicit GameWindow(bool fullscreen = false);

    void show();
    Uint32 id() const { return SDL_GetWindowID(window_.get()); }
    SDL_Window* handle() const { return window_.get(); }

    // Where to paint the next frame, sized like the window; nothing where no surface of that
    // size can be had (SDL's message says why).
    std::optional<render::PixelView> drawing_target();
    // Puts the painted frame on screen: the whole of it (what an expose needs), or only the
    // rectangles that changed. Does nothing while there is no surface.
    void present();
    void present(std::span<const scene::Rect> changed);

    // The window's size in pixels now, and a request to change it (the window manager may
    // refuse; a SIZE_CHANGED event follows if it did not).
    PixelSize size() const;
    void request_size(PixelSize size);
    // Whether this event says another program destroyed the window under us.
    bool destroyed_by(const SDL_Event& event) const;

    // The hand is the pointer's own 32 x 32 picture, or from a scale of 1.5 on (a whiteboard,
    // a phone) drawn at 32 times the scale, as large as the platform shows.
    void set_cursor(scene::Cursor cursor);
    // Between a window and the whole of its display; the new size arrives as a resize.
    void toggle_fullscreen();

  private:
    SDL_Surface* window_surface();
    SDL_Surface* sized_canvas(int width, int height);

    WindowPtr window_;
    CursorPtr arrow_;
    CursorPtr hand_;
    int hand_size_ = 0;
    SurfacePtr canvas_;   // only where the window's surface has another format
    PixelSize windowed_;  // the size out of full screen
    scene::Cursor cursor_ = scene::Cursor::Arrow;
};

}  // namespace bolvenda::sdl
