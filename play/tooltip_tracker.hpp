// When a tooltip shows: after the pointer has rested about half a second on a picture that
// has one, near where it rests; gone when the pointer leaves that picture, on a press, when
// the picture vanishes, or after a while. Time is passed in, in milliseconds, so
// the view can wait for exactly the next deadline and stay idle otherwise.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "scene/layout.hpp"
#include "scene/tooltip.hpp"

namespace bolvenda::play {

using scene::Element;
using scene::Layout;
using scene::Point;

class TooltipTracker {
  public:
    static constexpr std::uint64_t rest_ms = 500;
    static constexpr std::uint64_t shown_ms = 5000;

    using Shown = scene::Tooltip;

    explicit TooltipTracker(const Layout& layout) : layout_(&layout) {}

    // Each returns whether what is shown changed (the view then repaints).
    bool pointer_moved(std::optional<Point> p, std::uint64_t now_ms);
    bool pointer_pressed();
    // The scene may have changed under a resting pointer (a frog shown or hidden). Image3
    // disabled during a round keeps its tooltip: resting on it still shows it.
    bool scene_changed(std::uint64_t now_ms);
    // Shows a due tooltip or hides an expired one.
    bool time_passed(std::uint64_t now_ms);

    // When time_passed has something to do next; nothing means wait without a timeout.
    std::optional<std::uint64_t> deadline() const;
    const std::optional<Shown>& shown() const noexcept { return shown_; }

  private:
    const Element* tipped_at(std::optional<Point> p) const;
    bool hide();

    const Layout* layout_;
    std::optional<Point> pointer_;
    const Element* candidate_ = nullptr;  // the picture under the pointer that has a tooltip
    std::uint64_t since_ = 0;             // when the pointer last moved on it
    bool suppressed_ = false;             // pressed: no tooltip until the pointer leaves it
    std::optional<Shown> shown_;
    std::uint64_t shown_since_ = 0;
};

}  // namespace bolvenda::play
