// The game in a browser page, with no SDL: the page's events (html5.h) translated into the
// director's input, and its answers done on the page. What this platform implements:
//   [X] the frame: the painter's pixels put on the page's canvas, only where they changed
//   [X] the canvas sized in device pixels to fill the page, at any pixel ratio
//   [X] pointer: mouse moves, presses and releases of the primary button, leaving the canvas
//   [X] touch: a tap is one click (the browser's emulated mouse events are refused)
//   [X] keys: the game's own, by the browser's key names; every other key stays the browser's
//   [X] the pointer's shape: the hand, drawn at the scale shown, or the arrow
//   [X] sound: Web Audio, started at the first gesture, suspended after silence
//   [X] time: the browser's monotonic clock; a timeout only while something is due
//   [X] the page's mirror for screen readers, its buttons, and its speaker button
//   [X] reduced motion: the page's preference leaves the leap out
//   [ ] full screen (F11 stays the browser's), a window to close (a page cannot close its tab)
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "game/game_core.hpp"
#include "platform/web/page_canvas.hpp"
#include "platform/web/page_system.hpp"
#include "platform/web/web_audio.hpp"
#include "play/director.hpp"
#include "render/painter.hpp"
#include "render/picture_set.hpp"
#include "render/text_renderer.hpp"
#include "scene/viewport.hpp"

namespace bolvenda::web {

class PageHost {
  public:
    explicit PageHost(int scan_ms);
    PageHost(const PageHost&) = delete;
    PageHost& operator=(const PageHost&) = delete;

    // Paints the first frame and starts taking the page's events.
    void start();
    // The page's button for the focus order's element at `position` took the page's focus,
    // or was pressed.
    void from_page(bool click, int position);
    // The page's button that reads the exercise out again.
    void hear_again();
    // The sounds off or on again; returns whether they are off now.
    bool toggle_sound();
    // The sound files the page fetched after the first frame.
    SoundFiles& sound_files() { return audio_.files(); }

    // The page's events, as html5.h hands them over: a pointer (the mouse's primary button or
    // one finger) at a point of the page, in CSS pixels.
    enum class Pointer { Moved, Pressed, Released, Left };
    void pointer(Pointer what, double page_x, double page_y);
    // Returns whether the game took the key (the browser then does nothing more with it).
    bool key(const play::KeyPress& key);
    void resized();
    void timeout();

  private:
    template <class Step>
    void run(Step&& step);
    void follow(const play::Answer& answer, std::uint64_t now);
    std::optional<scene::Point> design_point(double page_x, double page_y) const;
    void repaint();
    void mirror();
    void wake_at(std::optional<std::uint64_t> due);
    void stop(const std::string& message);

    PageClock clock_;
    game::GameCore core_;
    render::PictureSet pictures_;
    render::TextRenderer labels_;
    render::TextRenderer tips_;
    render::Painter painter_;
    play::Director director_;
    PageCanvas canvas_;
    WebAudio audio_;
    scene::Viewport viewport_;  // of the frame on the canvas: maps pointer events to the design
    bool pressed_ = false;      // the primary button or a finger is down
    bool stopped_ = false;
    std::uint64_t mirrored_ = 0;
    long timer_ = 0;
    std::optional<std::uint64_t> timer_due_;
};

}  // namespace bolvenda::web
