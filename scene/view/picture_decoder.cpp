// Embedded GIFs decoded with stb_image into premultiplied pictures, refused whole where the
// file is cut short.
#include <stb/stb_image.h>

#include <algorithm>
#include <bit>
#include <cstring>
#include <limits>
#include <memory>
#include <string>

#include "scene/view/premultiplied_image.hpp"
#include "scene/view/startup_error.hpp"

namespace bolvenda::view {

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
            case 0x3B:
                return true;  // trailer
            case 0x21:        // extension: label, then sub-blocks
                at += 2;
                if (!sub_blocks()) return false;
                break;
            case 0x2C:  // image: descriptor, local colour table, LZW code size, sub-blocks
                if (at + 10 > b.size()) return false;
                colour_table(b[at + 9]);
                at += 10 + 1;
                if (!sub_blocks()) return false;
                break;
            default:
                return false;
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
    if (bytes.size() > static_cast<std::size_t>(std::numeric_limits<int>::max()))
        throw fail("too large");
    if (!gif_is_whole(bytes)) throw fail("not a whole GIF file");
    int width = 0, height = 0, channels = 0;
    std::unique_ptr<stbi_uc, decltype(&stbi_image_free)> rgba(
        stbi_load_from_memory(bytes.data(), static_cast<int>(bytes.size()), &width, &height,
                              &channels, 4),
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

}  // namespace bolvenda::view
