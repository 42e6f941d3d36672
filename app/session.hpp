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
// Keys move the keyboard's focus (KeyboardFocus), and Enter or Space click the focused element
// through the same dispatcher as the pointer, so the leap, its sounds and all the rest follow
// alike; its ring is one more overlay. With a switch (SwitchScan) the focus steps on by itself
// and any key or click clicks. M switches the sounds off and on, in every mode.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "game/game_core.hpp"
#include "scene/frog_leap.hpp"
#include "scene/keyboard_focus.hpp"
#include "scene/layout.hpp"
#include "scene/pointer_router.hpp"
#include "scene/pond_sounds.hpp"
#include "scene/switch_scan.hpp"
#include "scene/tooltip_tracker.hpp"
#include "scene/view/game_window.hpp"
#include "scene/view/painter.hpp"
#include "scene/view/sound_output.hpp"

namespace bolvenda::app {

class Session {
  public:
    // animate = false shows the frog in its new place at once, with no leap; scan_ms > 0 plays
    // with one switch at that pace; sound = false starts muted.
    Session(game::GameCore& core, view::GameWindow& window, view::Painter& painter,
            bool animate = true, int scan_ms = 0, bool sound = true);

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

    // The keyboard's focus, and the ring drawn around it while it is shown (design pixels).
    const scene::KeyboardFocus& focus() const { return focus_; }
    std::optional<scene::Rect> focus_ring() const;
    // Whether the game takes this key (the page leaves every other one to the browser).
    bool takes_key(SDL_Keycode key, Uint16 mod) const;
    // A page's own controls for the candidate at this place of the focus order: it takes the
    // focus (and shows the ring), or is clicked as by a key. Repainted at once.
    void focus_from_page(int position);
    void click_from_page(int position);
    // Grows whenever what the page mirrors may have changed: the scene, the focus, the ring.
    std::uint64_t shown_version() const { return shown_version_; }

  private:
    // Returns whether the frame must be repainted beyond what the scene's changes say.
    bool handle(const SDL_Event& event);
    bool key(const SDL_KeyboardEvent& event, std::uint64_t now);
    // A click that reached `clicked`'s handler (nothing: none did): the view follows it alike
    // from the pointer, a key or the page.
    bool clicked(const runtime::Element* clicked, std::uint64_t now);
    // The focused element clicked, as Enter does.
    bool click_focused(std::uint64_t now);
    // What follows every event: the focus after the scene's changes, the timers, the repaint.
    void settle(bool dirty);
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
    scene::KeyboardFocus focus_;
    std::optional<scene::SwitchScan> scan_;
    std::uint64_t shown_version_ = 0;
    scene::PondSounds sounds_;
    view::SoundOutput output_;
    scene::Viewport viewport_;  // of the frame on screen: maps pointer events to the design
    std::optional<scene::Point> pointer_;
    std::optional<view::PixelSize> drawn_size_;      // of the last frame painted whole
    std::optional<view::PixelSize> cannot_draw_at_;  // not tried again until the size changes
    bool said_cannot_draw_ = false;
};

}  // namespace bolvenda::app
