#include "play/director.hpp"

#include <utility>

namespace bolvenda::play {

namespace {

// A moment with nothing to start or cut is no sound: the platform is handed none.
void heard(std::vector<scene::SoundPlan>& sounds, scene::SoundPlan plan) {
    if (plan.cut || !plan.cues.empty()) sounds.push_back(std::move(plan));
}

}  // namespace

Director::Director(game::GameCore& core, DirectorOptions options)
    : core_(&core),
      layout_(core.scene()),
      router_(layout_, core.events()),
      tips_(layout_),
      leap_(core.scene(), layout_, options.animate),
      focus_(core.scene()),
      sounds_(core.scene(), options.animate, options.muted) {
    if (options.scan_ms > 0) {
        scan_.emplace(static_cast<std::uint64_t>(options.scan_ms));
        focus_.show_ring();  // a switch's user follows the ring from the start
    }
}

Answer Director::start(std::uint64_t now_ms) {
    core_->events().load();  // before the window takes any input
    focus_.scene_changed();  // on the new-round picture
    if (scan_) scan_->rested(now_ms);
    ++shown_version_;
    Answer answer;
    answer.repaint = true;  // the first frame, whole
    return answer;
}

std::vector<scene::Overlay> Director::overlays() const {
    std::vector<scene::Overlay> drawn;
    const auto leap = leap_.overlays();
    drawn.insert(drawn.end(), leap.begin(), leap.end());
    // The focus's ring over everything, the leaping frog included.
    if (auto ring = focus_ring())
        drawn.push_back(scene::Overlay::mark(*ring, focus_ring_colour, focus_ring_width));
    return drawn;
}

std::optional<scene::Rect> Director::focus_ring() const {
    const runtime::Element* focused = focus_.focused();
    if (!focus_.ring_shown() || focused == nullptr || ended()) return std::nullopt;
    return focus_ring_around(layout_.of(*focused).rect);
}

std::optional<scene::Cursor> Director::cursor_at(std::optional<scene::Point> at) const {
    return at ? layout_.cursor_at(*at) : scene::Cursor::Arrow;
}

Answer Director::pointer_moved(std::optional<scene::Point> at, std::uint64_t now_ms) {
    pointer_ = at;
    Answer answer;
    answer.cursor = cursor_at(at);
    const bool tip_changed = tips_.pointer_moved(at, now_ms);
    router_.move(at);
    return settle(tip_changed, now_ms, std::move(answer));
}

Answer Director::pointer_pressed(std::optional<scene::Point> at, std::uint64_t now_ms) {
    if (scan_) return settle(false, now_ms);  // the switch clicks at the release
    pointer_ = at;
    Answer answer;
    answer.cursor = cursor_at(at);
    pressed_on_exercise_ = on_exercise(at);
    const bool tip_changed = tips_.pointer_pressed();
    router_.press(at);
    // The output opens while the button is down: the click's sound starts at once.
    answer.open_sound = !sounds_.muted();
    return settle(tip_changed, now_ms, std::move(answer));
}

Answer Director::pointer_released(std::optional<scene::Point> at, std::uint64_t now_ms) {
    Answer answer;
    // With a switch, a click or a tap anywhere is the switch.
    const int frog = core_->scene().frog_number();  // before the click's handler moves it
    const bool dirty =
        scan_ ? click_focused(now_ms, answer) : clicked(router_.release(at), frog, now_ms, answer);
    // A click on the exercise, pressed and let go on it, reads it out again.
    if (!scan_ && std::exchange(pressed_on_exercise_, false) && on_exercise(at))
        heard(answer.sounds, sounds_.exercise());
    return settle(dirty, now_ms, std::move(answer));
}

Answer Director::pointer_left(std::uint64_t now_ms) {
    pointer_ = std::nullopt;
    return settle(tips_.pointer_moved(std::nullopt, now_ms), now_ms);
}

bool Director::clicked(const runtime::Element* clicked, int frog_before, std::uint64_t now_ms,
                       Answer& answer) {
    if (clicked == nullptr) return false;
    heard(answer.sounds, sounds_.clicked(*clicked));
    // What the handler changed is still there: the painter takes it after this. Of the frogs
    // hidden, only the one this click left counts: a platform that paints once for several
    // inputs (a page, at its next frame) leaves earlier inputs' frogs among the changes.
    const scene::Scene& s = core_->scene();
    std::vector<const runtime::Element*> changed;
    for (const runtime::Element* e : s.changes().pending()) {
        if (e->name() != s.Image1().name() || e->visible() || e->index() == frog_before)
            changed.push_back(e);
    }
    return leap_.clicked(*clicked, changed, now_ms);
}

bool Director::click_focused(std::uint64_t now_ms, Answer& answer) {
    runtime::Element* focused = focus_.focused();
    if (focused == nullptr) return false;
    const int frog = core_->scene().frog_number();
    return clicked(core_->events().click(*focused) ? focused : nullptr, frog, now_ms, answer);
}

bool Director::takes_key(const KeyPress& key) const {
    if (key.system) return false;
    switch (key.key) {
        case Key::M:  // the mute's, even for a switch
        case Key::F11:
        case Key::Function:
            return false;
        case Key::Modifier:
            return false;  // half of another key, for a switch too
        case Key::Other:
            return scan_.has_value();  // any key is the switch
        default:
            return true;
    }
}

bool Director::moved_by_key(const KeyPress& key) {
    using Move = KeyboardFocus::Move;
    switch (key.key) {
        case Key::Tab:
            return focus_.move(key.shift ? Move::Previous : Move::Next);
        case Key::Left:
            return focus_.move(Move::Left);
        case Key::Right:
            return focus_.move(Move::Right);
        case Key::Home:
            return focus_.move(Move::First);
        default:
            return focus_.move(Move::Last);
    }
}

Answer Director::key(const KeyPress& key, std::uint64_t now_ms) {
    Answer answer;
    if (key.key == Key::F11 && !key.repeat) answer.toggle_fullscreen = true;
    if (key.key == Key::M && !key.system) {
        if (key.repeat) return answer;
        Answer muted = toggle_mute(now_ms);
        muted.toggle_fullscreen = answer.toggle_fullscreen;
        return muted;
    }
    if (!takes_key(key)) return settle(false, now_ms, std::move(answer));
    // A key held down repeats its step along the line, but clicks only once.
    bool dirty = false;
    if (scan_) {
        dirty = !key.repeat && click_focused(now_ms, answer);
    } else {
        const bool ring = focus_.show_ring();
        if (key.key == Key::Enter || key.key == Key::Space)
            dirty = (!key.repeat && click_focused(now_ms, answer)) || ring;
        else if (key.key == Key::Up) {
            if (!key.repeat) heard(answer.sounds, sounds_.exercise());
            dirty = ring;
        } else
            dirty = moved_by_key(key) || ring;
    }
    return settle(dirty, now_ms, std::move(answer));
}

Answer Director::page_focus(int position, std::uint64_t now_ms) {
    if (position < 0 || position >= KeyboardFocus::candidate_count) return {};
    const bool ring = focus_.show_ring();
    const bool moved = focus_.focus(focus_.candidate(position));
    if (moved && scan_) scan_->rested(now_ms);
    return settle(moved || ring, now_ms);
}

Answer Director::page_click(int position, std::uint64_t now_ms) {
    if (position < 0 || position >= KeyboardFocus::candidate_count) return {};
    // The page's buttons are disabled as the scene's elements are; one that is not responding
    // yet (a page a step behind) does nothing, as a click on it would.
    if (!focus_.focusable(position)) return {};
    focus_.focus(focus_.candidate(position));
    Answer answer;
    const bool dirty = click_focused(now_ms, answer);
    return settle(dirty, now_ms, std::move(answer));
}

bool Director::on_exercise(std::optional<scene::Point> at) const {
    if (!at) return false;
    const scene::Placement* placed = layout_.at(*at);
    if (placed == nullptr) return false;
    const scene::Scene& s = core_->scene();
    const runtime::Element* e = placed->element;
    return e == &s.Label(22) || e == &s.Label(23) || e == &s.Label(24) || e == &s.Label(26) ||
           e == &s.Image(7) || e == &s.Image(8);
}

Answer Director::hear_exercise(std::uint64_t now_ms) {
    Answer answer;
    heard(answer.sounds, sounds_.exercise());
    return settle(false, now_ms, std::move(answer));
}

Answer Director::toggle_mute(std::uint64_t now_ms) {
    Answer answer;
    heard(answer.sounds, sounds_.toggle_mute());
    return settle(false, now_ms, std::move(answer));
}

Answer Director::time_passed(std::uint64_t now_ms) { return settle(false, now_ms); }

std::optional<std::uint64_t> Director::deadline() const {
    if (ended()) return std::nullopt;
    std::optional<std::uint64_t> due;
    for (auto next : {tips_.deadline(), leap_.deadline(),
                      scan_ ? std::optional(scan_->deadline()) : std::nullopt}) {
        if (next && (!due || *next < *due)) due = next;
    }
    return due;
}

void Director::close() { core_->end(); }

bool Director::ended() const { return core_->events().ended(); }

Answer Director::settle(bool dirty, std::uint64_t now_ms, Answer answer) {
    if (ended()) {
        leap_events_ = leap_.take_events();
        answer.repaint = false;
        return answer;
    }
    if (dirty) ++shown_version_;  // a key moved the focus or showed the ring
    if (core_->scene().changes().any()) {
        dirty = true;
        ++shown_version_;
        tips_.scene_changed(now_ms);
        if (pointer_) answer.cursor = layout_.cursor_at(*pointer_);
        // A round opened or closed: the focus lands where the next thing to do is.
        if (focus_.scene_changed() && scan_) scan_->rested(now_ms);
    }
    if (scan_ && scan_->time_passed(now_ms) && focus_.move(KeyboardFocus::Move::Next)) {
        dirty = true;
        ++shown_version_;
    }
    dirty |= tips_.time_passed(now_ms);
    dirty |= leap_.time_passed(now_ms);
    // The one place that knows what this input did to the leap, for whoever follows it.
    leap_events_ = leap_.take_events();
    for (const FrogLeap::Event& e : leap_events_) heard(answer.sounds, sounds_.leap(e));
    answer.repaint = answer.repaint || dirty;
    return answer;
}

}  // namespace bolvenda::play
