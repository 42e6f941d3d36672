// The keyboard's focus: which of the elements that respond to a click now is the one a key
// clicks. It moves among exactly those (the enabled numbers, Image3 while enabled, Image9),
// in reading order: the number line first, then the two pictures below it. Where it lands is
// derived from the scene, whatever clicked: on Image3 at start-up and after every answer,
// on the frog's own number when a round starts, so that the child counts the jump with
// the right arrow. The ring that shows it is seen only once a key has been used.
#pragma once

#include <array>
#include <optional>

#include "scene/geometry.hpp"
#include "scene/layout.hpp"
#include "scene/scene.hpp"

namespace bolvenda::play {

using scene::Element;
using scene::line_colour;
using scene::Rect;
using scene::Rgb;
using scene::Scene;

// The ring around the focused element, in the scene's blue: thick enough for a child to see
// across a classroom, a pixel clear of the element so that it hides nothing of a number.
inline constexpr Rgb focus_ring_colour = line_colour;
inline constexpr int focus_ring_width = 3;
inline constexpr int focus_ring_gap = 1;
// The ring's outer rectangle around an element placed at `element`, in design pixels.
Rect focus_ring_around(Rect element);

class KeyboardFocus {
  public:
    // What a key asks of the focus.
    enum class Move {
        Next,      // Tab: the next in reading order, round to the first
        Previous,  // Shift+Tab
        Left,      // along the row the focus is in: the number line, or the two pictures
        Right,
        First,  // Home: 0 on the number line (the row's first)
        Last,   // End: 20
    };

    // Every element that can hold the focus, in reading order: Label1..Label21, Image3,
    // Image9. An element's place in it is its position here, the same on every platform.
    static constexpr int candidate_count = Scene::array_size + 2;

    explicit KeyboardFocus(const Scene& scene);

    Element& candidate(int position) const { return *candidates_[position]; }
    // Its position among the candidates, or nothing for any other element.
    std::optional<int> position_of(const Element& element) const;
    // Whether it responds to a click now: enabled and visible.
    bool focusable(int position) const;

    // The focused element, or nothing where none responds.
    Element* focused() const;
    std::optional<int> focused_position() const { return focused_; }

    // Each returns whether the focus moved.
    bool move(Move how);
    // Straight to an element (a screen reader's own focus); false where it cannot take it.
    bool focus(const Element& element);
    // After any event: where the scene opened or closed a round, the focus lands as a teacher
    // would want; where the focused element stopped responding, it goes to the first that does.
    bool scene_changed();

    // The ring is shown once a key has been used (or always, for a switch).
    bool ring_shown() const noexcept { return ring_shown_; }
    // Returns whether it was hidden before.
    bool show_ring();

  private:
    bool on_line(int position) const { return position < Scene::array_size; }
    bool set(std::optional<int> position);
    std::optional<int> first_focusable(int from, int step, bool wrap) const;
    std::optional<int> landing() const;

    const Scene* scene_;
    std::array<Element*, candidate_count> candidates_{};
    std::optional<int> focused_;
    bool round_open_ = false;  // as last seen: the number line responds
    bool ring_shown_ = false;
};

}  // namespace bolvenda::play
