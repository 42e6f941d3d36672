// One run of the game in its desktop window: SDL's events translated into the director's
// input, and its answers done: the frame repainted where something changed, the pointer's
// shape, the sounds started, the next wake-up. Waits for events and repaints only when the
// director or a resize asks: idle costs nothing.
//
// Pointer positions become design points through the frame on screen (viewport_), so the
// child clicks what she sees; only the left button clicks; keys are named by the game's own
// names. Everything else (the focus, the leap, the switch, the sounds, the mute) is the
// director's.
#pragma once

#include <SDL.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "game/game_core.hpp"
#include "platform/sdl/game_window.hpp"
#include "platform/sdl/sound_output.hpp"
#include "play/director.hpp"
#include "render/painter.hpp"

namespace bolvenda::sdl {

// The game's name for an SDL key, with its modifiers.
play::KeyPress key_press(const SDL_KeyboardEvent& event);

class Session {
  public:
    // animate = false shows the frog in its new place at once, with no leap; scan_ms > 0 plays
    // with one switch at that pace; sound = false starts muted.
    Session(game::GameCore& core, GameWindow& window, render::Painter& painter, bool animate = true,
            int scan_ms = 0, bool sound = true);

    // Plays until the program ends; a runtime error from a handler propagates after the
    // window has been repainted with the steps that were done.
    void run();

    // The same run one step at a time: start() once, then dispatch() each event, or nullptr
    // when the deadline has passed.
    void start();
    void dispatch(const SDL_Event* event);
    // When dispatch(nullptr) is due next (the director's next step, the sound device's
    // closing), if ever.
    std::optional<std::uint64_t> deadline() const;
    bool ended() const { return director_.ended(); }

    const play::Director& director() const { return director_; }
    const std::optional<scene::Tooltip>& tooltip() const { return director_.tooltip(); }
    std::vector<scene::Overlay> overlays() const { return director_.overlays(); }
    const std::vector<play::FrogLeap::Event>& leap_events() const {
        return director_.leap_events();
    }
    std::optional<scene::Rect> focus_ring() const { return director_.focus_ring(); }

  private:
    // The director's answer to one event.
    play::Answer handle(const SDL_Event& event, std::uint64_t now);
    void follow(const play::Answer& answer, std::uint64_t now, bool repaint);
    std::optional<scene::Point> design_point(int window_x, int window_y) const;
    // Paints the frame and returns the window rectangles that changed; repaint() also puts
    // them on screen.
    std::vector<scene::Rect> paint();
    void repaint();
    // The window's surface or the painter's layers cannot be had at this size.
    void cannot_draw(PixelSize size, const std::string& why);

    game::GameCore* core_;
    GameWindow* window_;
    render::Painter* painter_;
    play::Director director_;
    SoundOutput output_;
    scene::Viewport viewport_;  // of the frame on screen: maps pointer events to the design
    std::optional<PixelSize> drawn_size_;      // of the last frame painted whole
    std::optional<PixelSize> cannot_draw_at_;  // not tried again until the size changes
    bool said_cannot_draw_ = false;
};

}  // namespace bolvenda::sdl
