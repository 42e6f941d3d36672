// What the painter draws over the scene for a moment, beyond the elements' own state: an
// element drawn elsewhere than its place (the frog in the air), perhaps mirrored, or a mark
// such as a ring around the element that has the keyboard's attention. In design pixels, so
// that it scales with the scene.
#pragma once

#include <algorithm>
#include <cstdint>
#include <span>

#include "runtime/element.hpp"
#include "scene/geometry.hpp"

namespace bolvenda::scene {

struct Overlay {
    enum class Kind : std::uint8_t {
        Moved,  // element drawn at `at`, in front of the scene, and not in its own place
        Mark,   // an outline `thickness` wide inside `at`, in `colour`, over the scene
    };

    Kind kind = Kind::Mark;
    const runtime::Element* element = nullptr;  // Moved: the element drawn elsewhere
    Rect at;
    bool mirrored = false;  // Moved pictures: drawn facing the other way
    Rgb colour{};           // Mark
    int thickness = 0;      // Mark, in design pixels

    static Overlay moved(const runtime::Element& element, Rect at, bool mirrored = false) {
        return {Kind::Moved, &element, at, mirrored, {}, 0};
    }
    static Overlay mark(Rect at, Rgb colour, int thickness) {
        return {Kind::Mark, nullptr, at, false, colour, thickness};
    }
    friend bool operator==(const Overlay&, const Overlay&) = default;
};

// Whether one of the overlays draws the element elsewhere than its place.
inline bool moves(std::span<const Overlay> overlays, const runtime::Element* element) {
    return std::any_of(overlays.begin(), overlays.end(), [element](const Overlay& o) {
        return o.kind == Overlay::Kind::Moved && o.element == element;
    });
}

}  // namespace bolvenda::scene
