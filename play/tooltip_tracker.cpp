#include "play/tooltip_tracker.hpp"

namespace bolvenda::play {

const Element* TooltipTracker::tipped_at(std::optional<Point> p) const {
    if (!p || layout_->tool_tip_at(*p).empty()) return nullptr;
    return layout_->at(*p)->element;
}

bool TooltipTracker::hide() {
    bool was_shown = shown_.has_value();
    shown_.reset();
    return was_shown;
}

bool TooltipTracker::pointer_moved(std::optional<Point> p, std::uint64_t now_ms) {
    pointer_ = p;
    const Element* under = tipped_at(p);
    if (under != candidate_) {
        candidate_ = under;
        since_ = now_ms;
        suppressed_ = false;
        return hide();
    }
    // Resting means not moving: every move on the picture restarts the wait, until it shows.
    if (!shown_) since_ = now_ms;
    return false;
}

bool TooltipTracker::pointer_pressed() {
    suppressed_ = candidate_ != nullptr;
    return hide();
}

bool TooltipTracker::scene_changed(std::uint64_t now_ms) {
    const Element* under = tipped_at(pointer_);
    if (under == candidate_) return false;
    candidate_ = under;
    since_ = now_ms;
    suppressed_ = false;
    return hide();
}

bool TooltipTracker::time_passed(std::uint64_t now_ms) {
    if (shown_) {
        if (now_ms - shown_since_ >= shown_ms) {
            suppressed_ = true;
            return hide();
        }
        return false;
    }
    if (candidate_ == nullptr || suppressed_ || !pointer_ || now_ms - since_ < rest_ms)
        return false;
    shown_ = Shown{candidate_->tool_tip(), *pointer_};
    shown_since_ = now_ms;
    return true;
}

std::optional<std::uint64_t> TooltipTracker::deadline() const {
    if (shown_) return shown_since_ + shown_ms;
    if (candidate_ == nullptr || suppressed_) return std::nullopt;
    return since_ + rest_ms;
}

}  // namespace bolvenda::play
