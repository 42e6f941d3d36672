#include "play/frog_leap.hpp"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace bolvenda::play {

namespace {

// How high the frog's feet rise above the line at the top of its arc, in design pixels: a
// small hop in place, higher the further it goes, always below the top of the pond.
int arc_height(int from, int to) {
    const int distance = std::abs(to - from);
    return distance == 0 ? 34 : std::min(40 + 6 * distance, 150);
}

// The number a frog of the line stands on, or -1 for any other element.
int frog_number(const Scene& scene, const Element& element) {
    const runtime::ControlArray& frogs = scene.Image1();
    const int n = element.index();
    if (n < 0 || n >= frogs.count() || element.name() != frogs.name()) return -1;
    return &frogs.item(n) == &element ? n : -1;
}

}  // namespace

std::uint64_t FrogLeap::duration_ms(int from, int to) {
    if (from == to) return hop_ms;
    return std::min<std::uint64_t>(450 + 17 * static_cast<std::uint64_t>(std::abs(to - from)), 800);
}

void FrogLeap::land(Event::Kind how) {
    in_air_.reset();  // from here on the frog is drawn in its place
    events_.push_back({how, from_, to_});
}

bool FrogLeap::clicked(const Element& clicked, std::span<const Element* const> changed,
                       std::uint64_t now_ms) {
    const bool was_in_air = in_air_.has_value();
    if (was_in_air) land(Event::Kind::CutShort);
    // The frog shown is where it lands, the frog hidden where it stood. A frog shown with none
    // hidden was hidden and shown again on its own number: a hop in place.
    int from = -1, to = -1;
    for (const Element* element : changed) {
        const int n = frog_number(*scene_, *element);
        if (n >= 0) (element->visible() ? to : from) = n;
    }
    // A new round moves the frog too, but shows it in its place at once.
    if (to < 0 || &scene_->number_label(to) != &clicked) return was_in_air;
    from_ = from < 0 ? to : from;
    to_ = to;
    events_.push_back({Event::Kind::TookOff, from_, to_});
    if (!animate_) {
        events_.push_back({Event::Kind::Landed, from_, to_});
        return was_in_air;
    }
    start_ = drawn_at_ = now_ms;
    duration_ = duration_ms(from_, to_);
    in_air_ = at(now_ms);
    return true;
}

Overlay FrogLeap::at(std::uint64_t now_ms) const {
    const Placement& landing = layout_->of(scene_->Image1().item(to_));
    const Rect from = layout_->of(scene_->Image1().item(from_)).rect;
    const Rect to = landing.rect;
    const double t =
        std::clamp(static_cast<double>(now_ms - start_) / static_cast<double>(duration_), 0.0, 1.0);
    // A thrown body's path: steady across, a parabola up and down.
    const double x = from.left + (to.left - from.left) * t;
    const double rise = arc_height(from_, to_) * 4.0 * t * (1.0 - t);
    const Rect at{static_cast<int>(std::lround(x)), static_cast<int>(std::lround(to.top - rise)),
                  to.width, to.height};
    return Overlay::moved(*landing.element, at, to_ < from_);
}

bool FrogLeap::time_passed(std::uint64_t now_ms) {
    if (!in_air_) return false;
    if (now_ms - start_ >= duration_) {
        land(Event::Kind::Landed);
        return true;
    }
    if (now_ms < drawn_at_ + frame_ms) return false;
    drawn_at_ = now_ms;
    const Overlay next = at(now_ms);
    const bool moved = !(next == *in_air_);
    in_air_ = next;
    return moved;
}

std::optional<std::uint64_t> FrogLeap::deadline() const {
    if (!in_air_) return std::nullopt;
    return std::min(start_ + duration_, drawn_at_ + frame_ms);
}

}  // namespace bolvenda::play
