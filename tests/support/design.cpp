// The design rectangles of design.hpp, from a scene and layout of their own.
#include "tests/support/design.hpp"

#include <stdexcept>
#include <string>

#include "scene/layout.hpp"
#include "scene/scene.hpp"

namespace bolvenda::testing {

scene::Rect design_rect(std::string_view display_name) {
    const scene::Scene scene;
    const runtime::Element* element = scene.find_display_name(display_name);
    if (element == nullptr) throw std::invalid_argument("no element " + std::string(display_name));
    return scene::Layout(scene).of(*element).rect;
}

scene::Rect number_label(int n) { return design_rect("Label" + std::to_string(n + 1)); }

scene::Point centre_of(scene::Rect design, const scene::Viewport& viewport) {
    const scene::Rect r = viewport.to_window(design);
    return {r.left + r.width / 2, r.top + r.height / 2};
}

}  // namespace bolvenda::testing
