// The pictures' SVG drawings, drawn by NanoSVG at the size the window shows them: above the
// design size, where the stored pictures would have to be stretched and go soft.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

#include "render/premultiplied_image.hpp"
#include "scene/geometry.hpp"

namespace bolvenda::render {

// Draws the SVG document stretched to width x height, each axis on its own (as the pictures
// are shown), and writes the part of it in region (within that size) at out, stride pixels a
// row apart, as premultiplied 0xAARRGGBB, or over the 0xRRGGBB colour under as 0x00RRGGBB;
// nothing is kept between calls. Throws StartupError when the document does not parse or holds
// nothing to draw.
void draw_svg_into(std::span<const unsigned char> svg, const char* name, int width, int height,
                   scene::Rect region, std::uint32_t* out, std::size_t stride,
                   std::optional<std::uint32_t> under = std::nullopt);

// The whole document at width x height.
PremultipliedImage draw_svg(std::span<const unsigned char> svg, const char* name, int width,
                            int height);

}  // namespace bolvenda::render
