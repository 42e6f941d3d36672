// One run of the game in its window: Load, then pointer events routed through the layout to
// the form until End or the window closes. Waits for events and repaints only when the scene
// or the tooltip changed or the window was resized: idle costs nothing.
//
// A click flows one way:
//   SDL event  -> design point  (viewport_: the frame on screen, so the child clicks what
//                                she sees)
//   -> element                  (PointerRouter: the front-most visible element there)
//   -> its handler              (EventDispatcher -> Form1's handler for that element)
//   -> the changed elements     (Scene::changes(), which every element records itself in)
//   -> their rectangles repainted (Painter::paint) -> present (GameWindow::present).
// After a number's click the frog is drawn leaping (FrogLeap, read from the elements the click
// changed): an overlay, frames on a timer while it is in the air, only its rectangles each
// time; the game itself has already moved on. What the painter draws over the scene is
// gathered in overlays(), the one place a new animation or mark joins. What the click and the
// leap sound like is played at once as well (PondSounds -> SoundOutput): nothing waits for it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "game/game_core.hpp"
#include "scene/frog_leap.hpp"
#include "scene/layout.hpp"
#include "scene/pointer_router.hpp"
#include "scene/pond_sounds.hpp"
#include "scene/tooltip_tracker.hpp"
#include "scene/view/game_window.hpp"
#include "scene/view/painter.hpp"
#include "scene/view/sound_output.hpp"

namespace bolvenda::app {

class Session {
  public:
    // animate = false shows the frog in its new place at once, with no leap.
    // sound = false starts muted.
    Session(game::GameCore& core, view::GameWindow& window, view::Painter& painter,
            bool animate = true, bool sound = true);

    // Plays until the program ends; a runtime error from a handler propagates after the
    // window has been repainted with the steps that were done.
    void run();

    // The same run one step at a time, for a host that delivers events itself (a browser):
    // start() once, then dispatch() each event, or nullptr when the deadline has passed.
    void start();
    void dispatch(const SDL_Event* event);
    // When dispatch(nullptr) is due next (a tooltip to show or hide, the leap's next frame),
    // if ever.
    std::optional<std::uint64_t> deadline() const;
    bool ended() const;
    // The tooltip the window shows now, if any.
    const std::optional<scene::TooltipTracker::Shown>& tooltip() const { return tips_.shown(); }
    // What is drawn over the scene now (the frog in the air), in the painter's order.
    std::vector<scene::Overlay> overlays() const;
    // What the frog's leap did in the last dispatch.
    const std::vector<scene::FrogLeap::Event>& leap_events() const { return leap_events_; }
    // The sounds off or on again (the key M; a page's button). Muting silences at once.
    void toggle_mute();
    bool muted() const noexcept { return sounds_.muted(); }

  private:
    // Returns whether the frame must be repainted beyond what the scene's changes say.
    bool handle(const SDL_Event& event);
    std::optional<scene::Point> design_point(int window_x, int window_y) const;
    void pointer_at(std::optional<scene::Point> p);
    // Paints the frame and returns the window rectangles that changed; repaint() also puts
    // them on screen.
    std::vector<scene::Rect> paint();
    void repaint();
    // The window's surface or the painter's layers cannot be had at this size.
    void cannot_draw(view::PixelSize size, const std::string& why);

    game::GameCore* core_;
    view::GameWindow* window_;
    view::Painter* painter_;
    scene::Layout layout_;
    scene::PointerRouter router_;
    scene::TooltipTracker tips_;
    scene::FrogLeap leap_;
    std::vector<scene::FrogLeap::Event> leap_events_;
    scene::PondSounds sounds_;
    view::SoundOutput output_;
    scene::Viewport viewport_;  // of the frame on screen: maps pointer events to the design
    std::optional<scene::Point> pointer_;
    std::optional<view::PixelSize> drawn_size_;      // of the last frame painted whole
    std::optional<view::PixelSize> cannot_draw_at_;  // not tried again until the size changes
    bool said_cannot_draw_ = false;
};

}  // namespace bolvenda::app
