// Pictures scaled with stb_image_resize in premultiplied alpha: no fringes at the edges.
#include <stb/stb_image_resize.h>

#include <algorithm>
#include <bit>
#include <cstring>
#include <limits>

#include "scene/view/premultiplied_image.hpp"

namespace bolvenda::view {

void resample_into(const PremultipliedImage& source, scene::Rect region, std::uint32_t* out,
                   int width, int height, std::size_t stride) {
    if (width <= 0 || height <= 0 || region.width <= 0 || region.height <= 0) return;
    if (width == region.width && height == region.height) {
        // At scale 1 a copy: a resampling filter would soften the picture for nothing.
        for (int y = 0; y < height; ++y)
            std::copy_n(&source.pixels[static_cast<std::size_t>(region.top + y) *
                                           static_cast<std::size_t>(source.width) +
                                       static_cast<std::size_t>(region.left)],
                        width, out + static_cast<std::size_t>(y) * stride);
        return;
    }
    constexpr int alpha_channel = std::endian::native == std::endian::little ? 3 : 0;
    // Channels resampled alike: with premultiplied input that is the right filter, and no
    // transparent white can bleed into the edges. 0xAARRGGBB in memory (little-endian) is
    // B, G, R, A on little-endian machines.
    stbir_resize_region(source.pixels.data(), source.width, source.height, source.width * 4, out,
                        width, height, static_cast<int>(stride * 4), STBIR_TYPE_UINT8, 4,
                        alpha_channel, STBIR_FLAG_ALPHA_PREMULTIPLIED, STBIR_EDGE_CLAMP,
                        STBIR_EDGE_CLAMP, STBIR_FILTER_DEFAULT, STBIR_FILTER_DEFAULT,
                        STBIR_COLORSPACE_LINEAR, nullptr,
                        static_cast<float>(region.left) / static_cast<float>(source.width),
                        static_cast<float>(region.top) / static_cast<float>(source.height),
                        static_cast<float>(region.right()) / static_cast<float>(source.width),
                        static_cast<float>(region.bottom()) / static_cast<float>(source.height));
    // A cubic filter rings: keep every colour within its alpha, as premultiplied demands.
    for (int y = 0; y < height; ++y) {
        std::uint32_t* row = out + static_cast<std::size_t>(y) * stride;
        for (int x = 0; x < width; ++x) {
            std::uint32_t p = row[x];
            std::uint32_t a = p >> 24;
            std::uint32_t r = std::min<std::uint32_t>((p >> 16) & 0xFF, a);
            std::uint32_t g = std::min<std::uint32_t>((p >> 8) & 0xFF, a);
            std::uint32_t b = std::min<std::uint32_t>(p & 0xFF, a);
            row[x] = a << 24 | r << 16 | g << 8 | b;
        }
    }
}

PremultipliedImage resample(const PremultipliedImage& source, int width, int height) {
    if (width == source.width && height == source.height) return source;
    PremultipliedImage out;
    out.width = width;
    out.height = height;
    out.pixels.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    resample_into(source, {0, 0, source.width, source.height}, out.pixels.data(), width, height,
                  static_cast<std::size_t>(width));
    return out;
}

}  // namespace bolvenda::view
