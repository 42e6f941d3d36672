#include "tools/assets/asset_list.hpp"

namespace bolvenda::tools {

std::vector<PictureRecipe> picture_recipes() {
    PaletteOptions on_water;  // defaults: white transparent at 255, matte teal water
    auto at = [on_water](int index) {
        PaletteOptions o = on_water;
        o.transparent_index = index;
        return o;
    };
    // The pond fills the window: its transparent entry names a grey no pixel uses,
    // so the whole picture is drawn.
    PaletteOptions pond = at(251);
    pond.transparent_colour = {0x95, 0x97, 0x8F, 255};
    PaletteOptions sign = at(15);
    sign.bilevel = true;
    sign.alpha_threshold = 128;

    return {
        {"pond.gif", "pond.svg", 800, 600, pond},
        {"frog.gif", "frog.svg", 88, 123, at(15)},
        {"fly.gif", "fly.svg", 200, 185, at(63)},
        {"face_waiting.gif", "face_waiting.svg", 64, 37, at(255)},
        {"face_sad.gif", "face_sad.svg", 64, 37, at(255)},
        {"face_happy.gif", "face_happy.svg", 64, 37, at(255)},
        {"equals.gif", "equals.svg", 54, 47, sign},
        {"not_equal.gif", "not_equal.svg", 54, 47, sign},
        {"sleeping_frog.gif", "sleeping_frog.svg", 110, 93, at(255)},
    };
}

}  // namespace bolvenda::tools
