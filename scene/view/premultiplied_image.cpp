#include "scene/view/premultiplied_image.hpp"

#include <stb/stb_image.h>
#include <stb/stb_image_resize.h>

#include <algorithm>
#include <bit>
#include <cstring>
#include <limits>
#include <memory>
#include <string>

#include "scene/view/startup_error.hpp"

namespace bolvenda::view {

std::uint32_t premultiply(std::uint32_t argb) {
    std::uint32_t a = argb >> 24;
    auto mul = [a](std::uint32_t c) { return (c * a + 127) / 255; };
    return a << 24 | mul((argb >> 16) & 0xFF) << 16 | mul((argb >> 8) & 0xFF) << 8 | mul(argb & 0xFF);
}

namespace {

// Walks a GIF's blocks to its trailer without decoding: a file cut short anywhere fails here,
// where the decoder would fill the missing rows with whatever it guessed.
bool gif_is_whole(std::span<const unsigned char> b) {
    std::size_t at = 13;  // signature and logical screen descriptor
    if (b.size() < at || b[0] != 'G' || b[1] != 'I' || b[2] != 'F') return false;
    auto colour_table = [&](unsigned flags) {
        if (flags & 0x80) at += 3 * (std::size_t{2} << (flags & 7));
    };
    auto sub_blocks = [&] {
        while (at < b.size() && b[at] != 0) at += 1 + std::size_t{b[at]};
        ++at;  // the terminator
        return at <= b.size();
    };
    colour_table(b[10]);
    while (at < b.size()) {
        switch (b[at]) {
            case 0x3B: return true;  // trailer
            case 0x21:               // extension: label, then sub-blocks
                at += 2;
                if (!sub_blocks()) return false;
                break;
            case 0x2C:  // image: descriptor, local colour table, LZW code size, sub-blocks
                if (at + 10 > b.size()) return false;
                colour_table(b[at + 9]);
                at += 10 + 1;
                if (!sub_blocks()) return false;
                break;
            default: return false;
        }
    }
    return false;
}

}  // namespace

PremultipliedImage decode_picture(std::span<const unsigned char> bytes, const char* name) {
    auto fail = [name](const std::string& why) {
        return StartupError(std::string("cannot decode the picture ") + name + " (" + why + ")",
                            "Impossibile leggere le immagini del gioco.");
    };
    if (bytes.empty()) throw fail("not embedded");
    if (bytes.size() > static_cast<std::size_t>(std::numeric_limits<int>::max())) throw fail("too large");
    if (!gif_is_whole(bytes)) throw fail("not a whole GIF file");
    int width = 0, height = 0, channels = 0;
    std::unique_ptr<stbi_uc, decltype(&stbi_image_free)> rgba(
        stbi_load_from_memory(bytes.data(), static_cast<int>(bytes.size()), &width, &height, &channels, 4),
        &stbi_image_free);
    if (!rgba) throw fail(stbi_failure_reason());

    // stb_image gives the GIF's transparent index alpha 0, whatever colour it names.
    PremultipliedImage image;
    image.width = width;
    image.height = height;
    image.pixels.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    const stbi_uc* p = rgba.get();
    for (std::uint32_t& out : image.pixels) {
        std::uint32_t rgba_word;  // R, G, B, A in memory
        std::memcpy(&rgba_word, p, 4);
        p += 4;
        if constexpr (std::endian::native == std::endian::little) {
            out = (rgba_word & 0xFF00FF00u) | (rgba_word >> 16 & 0xFFu) | (rgba_word & 0xFFu) << 16;
        } else {
            out = (rgba_word & 0xFFu) << 24 | rgba_word >> 8;
        }
    }
    // A GIF pixel is drawn or not: only the rare other alpha needs the multiplication.
    for (std::uint32_t& out : image.pixels)
        if (out >> 24 != 0xFF) out = premultiply(out);
    return image;
}

void resample_into(const PremultipliedImage& source, scene::Rect region, std::uint32_t* out, int width,
                   int height, std::size_t stride) {
    if (width <= 0 || height <= 0 || region.width <= 0 || region.height <= 0) return;
    if (width == region.width && height == region.height) {
        // At scale 1 a copy: a resampling filter would soften the picture for nothing.
        for (int y = 0; y < height; ++y)
            std::copy_n(&source.pixels[static_cast<std::size_t>(region.top + y) * static_cast<std::size_t>(source.width) +
                                       static_cast<std::size_t>(region.left)],
                        width, out + static_cast<std::size_t>(y) * stride);
        return;
    }
    constexpr int alpha_channel = std::endian::native == std::endian::little ? 3 : 0;
    // Channels resampled alike: with premultiplied input that is the right filter, and no
    // transparent white can bleed into the edges. 0xAARRGGBB in memory (little-endian) is
    // B, G, R, A on little-endian machines.
    stbir_resize_region(source.pixels.data(), source.width, source.height, source.width * 4, out, width, height,
                        static_cast<int>(stride * 4), STBIR_TYPE_UINT8, 4, alpha_channel,
                        STBIR_FLAG_ALPHA_PREMULTIPLIED, STBIR_EDGE_CLAMP, STBIR_EDGE_CLAMP, STBIR_FILTER_DEFAULT,
                        STBIR_FILTER_DEFAULT, STBIR_COLORSPACE_LINEAR, nullptr,
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
