// A palette picture as a GIF holds it, and the step from a rendered RGBA picture to it.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "tools/assets/raster.hpp"

namespace bolvenda::tools {

struct Indexed {
    int width = 0;
    int height = 0;
    std::array<Rgba, 256> palette{};  // alpha unused; every entry is written
    int transparent = 0;              // palette index whose pixels are not drawn
    std::vector<std::uint8_t> pixels;
};

struct PaletteOptions {
    int transparent_index = 255;
    Rgba transparent_colour{255, 255, 255, 255};
    // Partly covered edge pixels are blended toward this colour, the one the picture is
    // mostly shown on, so no light fringe of the transparent colour shows around it.
    Rgba matte{0x2A, 0x9F, 0xAA, 255};
    // Pixels less covered than this are left transparent.
    int alpha_threshold = 112;
    // Two-tone art (the signs): every covered pixel takes this one colour, no edge shades.
    bool bilevel = false;
};

// Builds at most 255 opaque colours with libimagequant, no dithering; the transparent
// colour keeps its own index and no opaque pixel may take the transparent colour.
Indexed to_indexed(const Raster& art, const PaletteOptions& options);

}  // namespace bolvenda::tools
