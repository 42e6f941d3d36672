// What the generator makes: each committed file, the art it comes from and how it is stored.
#pragma once

#include <string>
#include <vector>

#include "tools/assets/indexed.hpp"

namespace bolvenda::tools {

struct PictureRecipe {
    std::string file;  // committed name, e.g. "frog.gif"
    std::string svg;   // source in the art directory
    int width = 0;
    int height = 0;
    PaletteOptions palette;
};

std::vector<PictureRecipe> picture_recipes();

// The hand pointer and the window icon come from their own sources.
inline constexpr const char* cursor_file = "hand.cur";
inline constexpr const char* cursor_svg = "hand.svg";
inline constexpr int cursor_hot_x = 12;
inline constexpr int cursor_hot_y = 1;
inline constexpr const char* icon_file = "bolvenda.ico";
inline constexpr const char* icon_svg_large = "icon_32.svg";
// The 2-colour image has its own drawing: a colour one reduced to one bit turns to blocks.
inline constexpr const char* icon_svg_mono = "icon_32_mono.svg";
inline constexpr const char* icon_svg_small = "icon_16.svg";

}  // namespace bolvenda::tools
