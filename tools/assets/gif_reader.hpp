// Decodes a GIF (first frame) or one image of a Windows icon/cursor file to RGBA, with
// transparent pixels at alpha 0: what the contact sheet shows.
#pragma once

#include <cstdint>
#include <vector>

#include "tools/assets/raster.hpp"

namespace bolvenda::tools {

Raster decode_gif(const std::vector<std::uint8_t>& bytes);
// Every image of an .ico or .cur file, in file order, as the game reads them.
std::vector<Raster> decode_icon_images(const std::vector<std::uint8_t>& bytes);

}  // namespace bolvenda::tools
