// Where the game's elements stand, read from the game's own layout: tests aim at them and
// compare their areas without a copy of the design that could drift from it.
#pragma once

#include <string_view>

#include "scene/geometry.hpp"
#include "scene/viewport.hpp"

namespace bolvenda::testing {

// The element's rectangle at the design size: design_rect("Image3"), design_rect("Image1(4)").
scene::Rect design_rect(std::string_view display_name);
// The label of the number n on the line (Label n + 1).
scene::Rect number_label(int n);
// The centre of a design rectangle, in window pixels at this viewport.
scene::Point centre_of(scene::Rect design, const scene::Viewport& viewport = {});

}  // namespace bolvenda::testing
