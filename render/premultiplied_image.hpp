// A picture ready to compose: 32-bit 0xAARRGGBB with the colour already multiplied by alpha,
// so that scaling and blending never bring back the colour of transparent pixels.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "scene/geometry.hpp"

namespace bolvenda::render {

struct PremultipliedImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;  // row by row, width * height

    std::uint32_t at(int x, int y) const {
        return pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                      static_cast<std::size_t>(x)];
    }
};

// A premultiplied pixel over another: dst' = src + dst * (1 - alpha), per channel, with exact
// rounding of the product.
inline std::uint32_t over(std::uint32_t src, std::uint32_t dst) {
    const std::uint32_t a = src >> 24;
    if (a == 255) return src;
    if (a == 0) return dst;
    const std::uint32_t keep = 255 - a;
    auto channel = [&](int shift) {
        const std::uint32_t t = ((dst >> shift) & 0xFF) * keep + 128;
        return (((src >> shift) & 0xFF) + ((t + (t >> 8)) >> 8)) << shift;
    };
    return channel(16) | channel(8) | channel(0);
}

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

}  // namespace bolvenda::render
