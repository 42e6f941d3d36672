#include "tools/assets/asset_list.hpp"

#include "scene/picture_table.hpp"

namespace bolvenda::tools {

std::vector<PictureRecipe> picture_recipes() {
    std::vector<PictureRecipe> recipes;
    for (const scene::PictureRow& row : scene::picture_table) {
        PaletteOptions palette;  // defaults: matte teal water, edge threshold
        palette.transparent_index = row.transparent_index;
        palette.transparent_colour = {static_cast<std::uint8_t>(row.transparent_colour >> 16),
                                      static_cast<std::uint8_t>(row.transparent_colour >> 8),
                                      static_cast<std::uint8_t>(row.transparent_colour), 255};
        if (row.colours == scene::PictureColours::Bilevel) {
            // One ink: a pixel is ink where the drawing covers at least half of it.
            palette.bilevel = true;
            palette.alpha_threshold = 128;
        }
        recipes.push_back(
            {std::string(row.stored), std::string(row.drawing), row.width, row.height, palette});
    }
    return recipes;
}

}  // namespace bolvenda::tools
