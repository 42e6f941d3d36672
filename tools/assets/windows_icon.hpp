// Windows cursor and icon files: uncompressed DIB images with an AND mask, 1 or 4 bits per
// pixel over the fixed 2- and 16-colour palettes every Windows version knows.
#pragma once

#include <cstdint>
#include <vector>

#include "tools/assets/raster.hpp"

namespace bolvenda::tools {

struct IconImage {
    int width = 0;
    int height = 0;
    int bits = 4;                       // 1 or 4
    std::vector<std::uint8_t> indices;  // into the standard palette of that depth
    std::vector<bool> transparent;      // set bits of the AND mask
};

// Nearest colour of the standard palette; pixels less covered than alpha_threshold go to
// the mask. One bit: near-white to white, everything else to black.
IconImage to_icon_image(const Raster& art, int bits, int alpha_threshold = 128);

std::vector<std::uint8_t> encode_cursor(const IconImage& image, int hot_x, int hot_y);
std::vector<std::uint8_t> encode_icon(const std::vector<IconImage>& images);

}  // namespace bolvenda::tools
