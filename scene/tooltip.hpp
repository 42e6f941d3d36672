// A tooltip as the painter shows it: its text, near the point where the pointer rested (design
// pixels). When one shows is decided in play/.
#pragma once

#include <string_view>

#include "scene/geometry.hpp"

namespace bolvenda::scene {

struct Tooltip {
    std::string_view text;
    Point at;  // where the pointer rested
};

}  // namespace bolvenda::scene
