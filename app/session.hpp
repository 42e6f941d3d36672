// One run of the game in its window: Load, then pointer events routed through the layout to
// the form until End or the window closes. Waits for events and repaints only when the scene
// or the tooltip changed or the window was resized: idle costs nothing.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "game/game_core.hpp"
#include "scene/layout.hpp"
#include "scene/pointer_router.hpp"
#include "scene/tooltip_tracker.hpp"
#include "scene/view/game_window.hpp"
#include "scene/view/painter.hpp"

namespace bolvenda::app {

class Session {
public:
    Session(game::GameCore& core, view::GameWindow& window, view::Painter& painter);

    // Plays until the program ends; a runtime error from a handler propagates after the
    // window has been repainted with the steps that were done.
    void run();

    // The same run one step at a time, for a host that delivers events itself (a browser):
    // start() once, then dispatch() each event, or nullptr when the deadline has passed.
    void start();
    void dispatch(const SDL_Event* event);
    // When dispatch(nullptr) is due next (a tooltip to show or hide), if ever.
    std::optional<std::uint64_t> deadline() const;
    bool ended() const;
    // The tooltip the window shows now, if any.
    const std::optional<scene::TooltipTracker::Shown>& tooltip() const { return tips_.shown(); }

private:
    // Returns whether the frame must be repainted.
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
    scene::Viewport viewport_;          // maps pointer events: the size they happened at
    scene::Viewport painted_viewport_;  // of the frame on screen
    std::optional<scene::Point> pointer_;
    std::uint64_t painted_revision_ = 0;
    std::optional<view::PixelSize> drawn_size_;      // of the last frame painted whole
    std::optional<view::PixelSize> cannot_draw_at_;  // not tried again until the size changes
    bool said_cannot_draw_ = false;
};

}  // namespace bolvenda::app
