// A picture ready to compose: 32-bit 0xAARRGGBB with the colour already multiplied by alpha,
// so that scaling and blending never bring back the colour of transparent pixels.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "scene/geometry.hpp"

namespace bolvenda::view {

struct PremultipliedImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;  // row by row, width * height

    std::uint32_t at(int x, int y) const {
        return pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                      static_cast<std::size_t>(x)];
    }
};

// One straight-alpha 0xAARRGGBB pixel, premultiplied with exact rounding.
std::uint32_t premultiply(std::uint32_t argb);
// And back, for what wants straight alpha (a pointer's picture).
std::uint32_t unpremultiply(std::uint32_t premultiplied);

// Decodes an embedded GIF; its transparent pixels become 0. Throws StartupError when the bytes
// are cut short or do not decode.
PremultipliedImage decode_picture(std::span<const unsigned char> bytes, const char* name);

// Resamples to width x height with a cubic filter (Catmull-Rom up, Mitchell down).
PremultipliedImage resample(const PremultipliedImage& source, int width, int height);
// Resamples the region of source onto width x height pixels written at out, stride pixels a
// row apart: straight into a larger picture, with no copy of the whole in between.
void resample_into(const PremultipliedImage& source, scene::Rect region, std::uint32_t* out,
                   int width, int height, std::size_t stride);

}  // namespace bolvenda::view
