#include "scene/view/premultiplied_image.hpp"

#include <SDL.h>
#include <SDL_image.h>
#include <stb/stb_image_resize.h>

#include <algorithm>
#include <bit>
#include <string>

#include "scene/view/sdl_handles.hpp"
#include "scene/view/startup_error.hpp"

namespace bolvenda::view {

std::uint32_t premultiply(std::uint32_t argb) {
    std::uint32_t a = argb >> 24;
    auto mul = [a](std::uint32_t c) { return (c * a + 127) / 255; };
    return a << 24 | mul((argb >> 16) & 0xFF) << 16 | mul((argb >> 8) & 0xFF) << 8 | mul(argb & 0xFF);
}

PremultipliedImage decode_picture(std::span<const unsigned char> bytes, const char* name) {
    auto fail = [name](const std::string& why) {
        return StartupError(std::string("cannot decode the picture ") + name + " (" + why + ")",
                            "Impossibile leggere le immagini del gioco.");
    };
    if (bytes.empty()) throw fail("not embedded");
    RwPtr rw(SDL_RWFromConstMem(bytes.data(), static_cast<int>(bytes.size())));
    if (!rw) throw fail(SDL_GetError());
    SurfacePtr decoded(IMG_Load_RW(rw.get(), 0));
    if (!decoded) throw fail(IMG_GetError());

    // A palette picture keeps its transparency as a colour key; read it from the palette so
    // that the transparent index becomes alpha 0 whatever its colour.
    Uint32 key = 0;
    bool keyed = SDL_GetColorKey(decoded.get(), &key) == 0;
    SurfacePtr argb(SDL_ConvertSurfaceFormat(decoded.get(), SDL_PIXELFORMAT_ARGB8888, 0));
    if (!argb) throw fail(SDL_GetError());

    PremultipliedImage image;
    image.width = argb->w;
    image.height = argb->h;
    image.pixels.resize(static_cast<std::size_t>(argb->w) * static_cast<std::size_t>(argb->h));
    const bool indexed = decoded->format->BitsPerPixel == 8 && decoded->format->palette != nullptr;
    for (int y = 0; y < argb->h; ++y) {
        const auto* row = reinterpret_cast<const Uint32*>(static_cast<const Uint8*>(argb->pixels) +
                                                          y * argb->pitch);
        const auto* index_row = static_cast<const Uint8*>(decoded->pixels) + y * decoded->pitch;
        for (int x = 0; x < argb->w; ++x) {
            Uint32 p = row[x];
            if (keyed && indexed && index_row[x] == key) p &= 0x00FFFFFF;
            image.pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(argb->w) +
                         static_cast<std::size_t>(x)] = premultiply(p);
        }
    }
    return image;
}

PremultipliedImage resample(const PremultipliedImage& source, int width, int height) {
    if (width == source.width && height == source.height) return source;
    PremultipliedImage out;
    out.width = width;
    out.height = height;
    out.pixels.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    constexpr int alpha_channel = std::endian::native == std::endian::little ? 3 : 0;
    // Channels resampled alike: with premultiplied input that is the right filter, and no
    // transparent white can bleed into the edges. 0xAARRGGBB in memory (little-endian) is
    // B, G, R, A on little-endian machines.
    stbir_resize_uint8_generic(reinterpret_cast<const unsigned char*>(source.pixels.data()),
                               source.width, source.height, source.width * 4,
                               reinterpret_cast<unsigned char*>(out.pixels.data()), width, height,
                               width * 4, 4, alpha_channel, STBIR_FLAG_ALPHA_PREMULTIPLIED, STBIR_EDGE_CLAMP,
                               STBIR_FILTER_DEFAULT, STBIR_COLORSPACE_LINEAR, nullptr);
    // A cubic filter rings: keep every colour within its alpha, as premultiplied demands.
    for (std::uint32_t& p : out.pixels) {
        std::uint32_t a = p >> 24;
        std::uint32_t r = std::min<std::uint32_t>((p >> 16) & 0xFF, a);
        std::uint32_t g = std::min<std::uint32_t>((p >> 8) & 0xFF, a);
        std::uint32_t b = std::min<std::uint32_t>(p & 0xFF, a);
        p = a << 24 | r << 16 | g << 8 | b;
    }
    return out;
}

}  // namespace bolvenda::view
