// A headless driver: the game's core with a controllable clock, played by element name
// through the same event delivery the window uses.
#pragma once

#include <string_view>

#include "game/game_core.hpp"
#include "runtime/clock.hpp"

namespace bolvenda::testing {

// Advances by a fixed step at every reading, like a child clicking at a steady pace.
class SteppingClock final : public runtime::Clock {
public:
    SteppingClock(float start, float step) : now_(start), step_(step) {}
    float seconds_since_midnight() override {
        float reading = now_;
        now_ += step_;
        if (now_ >= 86400.0f) now_ -= 86400.0f;
        return reading;
    }

private:
    float now_;
    float step_;
};

// How many of Image1 (or Image2) are visible, and the last visible index (-1 for none).
inline int visible_in(runtime::ControlArray& array, int* where = nullptr) {
    int count = 0;
    for (int i = 0; i < array.count(); ++i) {
        if (array.item(i).visible()) {
            ++count;
            if (where) *where = i;
        }
    }
    return count;
}

class Driver {
public:
    explicit Driver(float clock_start = 36000.25f, float clock_step = 1.37f, bool load = true)
        : clock_(clock_start, clock_step), core_(clock_) {
        if (load) core_.events().load();
    }

    game::GameCore& core() { return core_; }
    scene::Scene& scene() { return core_.scene(); }
    game::Form1& form() { return core_.form(); }
    runtime::EventDispatcher& events() { return core_.events(); }

    runtime::Element& element(std::string_view display_name) {
        runtime::Element* e = scene().find_display_name(display_name);
        if (e == nullptr) throw std::invalid_argument("no element " + std::string(display_name));
        return *e;
    }
    // Each returns whether a handler ran.
    bool click(std::string_view display_name) { return events().click(element(display_name)); }
    bool move(std::string_view display_name) { return events().mouse_move(&element(display_name)); }
    bool move_over_window() { return events().mouse_move(nullptr); }
    bool click_number(int n) { return click("Label" + std::to_string(n + 1)); }
    bool new_round() { return click("Image3"); }

    int frog_count(int* where = nullptr) { return visible_in(scene().Image1(), where); }
    int fly_count(int* where = nullptr) { return visible_in(scene().Image2(), where); }

private:
    SteppingClock clock_;
    game::GameCore core_;
};

}  // namespace bolvenda::testing
