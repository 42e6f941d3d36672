// One run of the game in its window: Load, then pointer events routed through the layout to
// the form until End or the window closes. Waits for events and repaints only when the scene
// or the tooltip changed or the window was resized: idle costs nothing.
#pragma once

#include <cstdint>
#include <optional>

#include "app/game_core.hpp"
#include "scene/layout.hpp"
#include "scene/pointer_router.hpp"
#include "scene/tooltip_tracker.hpp"
#include "scene/view/game_window.hpp"
#include "scene/view/painter.hpp"

namespace bolvenda::app {

class Session {
public:
    Session(GameCore& core, view::GameWindow& window, view::Painter& painter);

    // Plays until the program ends; a runtime error from a handler propagates after the
    // window has been repainted with the steps that were done.
    void run();

private:
    // Returns whether the frame must be repainted.
    bool handle(const SDL_Event& event);
    std::optional<scene::Point> design_point(int window_x, int window_y) const;
    void pointer_at(std::optional<scene::Point> p);
    void repaint();

    GameCore* core_;
    view::GameWindow* window_;
    view::Painter* painter_;
    scene::Layout layout_;
    scene::PointerRouter router_;
    scene::TooltipTracker tips_;
    scene::Viewport viewport_;
    std::optional<scene::Point> pointer_;
    std::uint64_t painted_revision_ = 0;
};

}  // namespace bolvenda::app
