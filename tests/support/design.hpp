// Where the game's elements stand, read from the game's own layout: tests aim at them and
// compare their areas without a copy of the design that could drift from it.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

#include "scene/layout.hpp"
#include "scene/viewport.hpp"

namespace bolvenda::testing {

// The element's rectangle at the design size: design_rect("Image3"), design_rect("Image1(4)").
inline scene::Rect design_rect(std::string_view display_name) {
    const scene::Scene scene;
    const runtime::Element* element = scene.find_display_name(display_name);
    if (element == nullptr) throw std::invalid_argument("no element " + std::string(display_name));
    return scene::Layout(scene).of(*element).rect;
}

// The label of the number n on the line (Label n + 1).
inline scene::Rect number_label(int n) { return design_rect("Label" + std::to_string(n + 1)); }

// The centre of a design rectangle, in window pixels at this viewport.
inline scene::Point centre_of(scene::Rect design, const scene::Viewport& viewport = {}) {
    const scene::Rect r = viewport.to_window(design);
    return {r.left + r.width / 2, r.top + r.height / 2};
}

}  // namespace bolvenda::testing
