#include "play/keyboard_focus.hpp"

namespace bolvenda::play {

Rect focus_ring_around(Rect element) {
    const int out = focus_ring_gap + focus_ring_width;
    return {element.left - out, element.top - out, element.width + 2 * out,
            element.height + 2 * out};
}

KeyboardFocus::KeyboardFocus(const Scene& scene) : scene_(&scene) {
    for (int k = 1; k <= Scene::array_size; ++k) candidates_[k - 1] = &scene.Label(k);
    candidates_[Scene::array_size] = &scene.Image(3);
    candidates_[Scene::array_size + 1] = &scene.Image(9);
}

std::optional<int> KeyboardFocus::position_of(const Element& element) const {
    for (int i = 0; i < candidate_count; ++i)
        if (candidates_[i] == &element) return i;
    return std::nullopt;
}

bool KeyboardFocus::focusable(int position) const {
    const Element& e = *candidates_[position];
    return e.enabled() && e.visible();
}

Element* KeyboardFocus::focused() const { return focused_ ? candidates_[*focused_] : nullptr; }

bool KeyboardFocus::set(std::optional<int> position) {
    if (position == focused_) return false;
    focused_ = position;
    return true;
}

std::optional<int> KeyboardFocus::first_focusable(int from, int step, bool wrap) const {
    for (int i = 0, at = from; i < candidate_count; ++i, at += step) {
        if (wrap) at = (at + candidate_count) % candidate_count;
        if (at < 0 || at >= candidate_count) return std::nullopt;
        if (focusable(at)) return at;
    }
    return std::nullopt;
}

std::optional<int> KeyboardFocus::landing() const {
    if (round_open_) {
        // The frog's own number: the jump is counted from there.
        const int frog = scene_->frog_number();
        if (frog >= 0 && focusable(frog)) return frog;
    } else if (focusable(Scene::array_size)) {
        return Scene::array_size;  // Image3: the next round is the only thing to do
    }
    return first_focusable(0, 1, false);
}

bool KeyboardFocus::move(Move how) {
    if (!focused_ || !focusable(*focused_)) return set(landing());
    const int at = *focused_;
    switch (how) {
        case Move::Next:
            return set(first_focusable(at + 1, 1, true));
        case Move::Previous:
            return set(first_focusable(at - 1, -1, true));
        case Move::Left:
        case Move::Right: {
            // Along the row, never off its end: a child counting hops to the right must not
            // step from 20 onto the sleeping frog.
            const auto next = first_focusable(at + (how == Move::Right ? 1 : -1),
                                              how == Move::Right ? 1 : -1, false);
            return next && on_line(*next) == on_line(at) ? set(next) : false;
        }
        case Move::First:
        case Move::Last: {
            const bool line = focusable(0);  // the numbers respond together or not at all
            const int from = how == Move::First
                                 ? (line ? 0 : Scene::array_size)
                                 : (line ? Scene::array_size - 1 : candidate_count - 1);
            const auto next = first_focusable(from, how == Move::First ? 1 : -1, false);
            return next ? set(next) : false;
        }
    }
    return false;
}

bool KeyboardFocus::focus(const Element& element) {
    const auto position = position_of(element);
    if (!position || !focusable(*position)) return false;
    return set(position);
}

bool KeyboardFocus::scene_changed() {
    const bool round_open = focusable(0);
    if (round_open != round_open_) {
        round_open_ = round_open;
        return set(landing());
    }
    if (!focused_ || !focusable(*focused_)) return set(landing());
    return false;
}

bool KeyboardFocus::show_ring() {
    if (ring_shown_) return false;
    ring_shown_ = true;
    return true;
}

}  // namespace bolvenda::play
