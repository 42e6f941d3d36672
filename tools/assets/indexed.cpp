#include "tools/assets/indexed.hpp"

#include <libimagequant.h>

#include <memory>
#include <stdexcept>

namespace bolvenda::tools {
namespace {

struct AttrDeleter {
    void operator()(liq_attr* a) const { liq_attr_destroy(a); }
};
struct ImageDeleter {
    void operator()(liq_image* i) const { liq_image_destroy(i); }
};
struct ResultDeleter {
    void operator()(liq_result* r) const { liq_result_destroy(r); }
};

std::uint8_t blend(std::uint8_t c, std::uint8_t m, unsigned a) {
    return static_cast<std::uint8_t>((c * a + m * (255 - a) + 127) / 255);
}

// Opaque pixels keep the matte-blended colour; the rest become alpha 0.
Raster flatten(const Raster& art, const PaletteOptions& o) {
    Raster out(art.width, art.height);
    const Rgba& t = o.transparent_colour;
    for (std::size_t i = 0; i < art.pixels.size(); ++i) {
        const Rgba& p = art.pixels[i];
        if (p.a < o.alpha_threshold) continue;
        Rgba c{blend(p.r, o.matte.r, p.a), blend(p.g, o.matte.g, p.a), blend(p.b, o.matte.b, p.a),
               255};
        if (c.r == t.r && c.g == t.g && c.b == t.b) c.b = static_cast<std::uint8_t>(c.b ^ 1);
        out.pixels[i] = c;
    }
    return out;
}

}  // namespace

Indexed to_indexed(const Raster& art, const PaletteOptions& o) {
    Indexed out;
    out.width = art.width;
    out.height = art.height;
    out.transparent = o.transparent_index;
    out.pixels.assign(art.pixels.size(), static_cast<std::uint8_t>(o.transparent_index));
    out.palette.fill({0, 0, 0, 255});
    out.palette[o.transparent_index] = o.transparent_colour;
    // Opaque colours fill the palette in order, stepping over the transparent slot.
    auto slot = [&](int n) { return n < o.transparent_index ? n : n + 1; };

    const Raster flat = flatten(art, o);
    if (o.bilevel) {
        out.palette[slot(0)] = {0, 0, 0, 255};
        for (std::size_t i = 0; i < flat.pixels.size(); ++i)
            if (flat.pixels[i].a) out.pixels[i] = static_cast<std::uint8_t>(slot(0));
        return out;
    }

    std::unique_ptr<liq_attr, AttrDeleter> attr(liq_attr_create());
    liq_set_max_colors(attr.get(), 255);
    liq_set_speed(attr.get(), 1);
    std::unique_ptr<liq_image, ImageDeleter> image(
        liq_image_create_rgba(attr.get(), flat.pixels.data(), flat.width, flat.height, 0));
    liq_result* raw = nullptr;
    if (!image || liq_image_quantize(image.get(), attr.get(), &raw) != LIQ_OK)
        throw std::runtime_error("palette quantisation failed");
    std::unique_ptr<liq_result, ResultDeleter> result(raw);
    liq_set_dithering_level(result.get(), 0.0f);

    std::vector<std::uint8_t> remapped(flat.pixels.size());
    if (liq_write_remapped_image(result.get(), image.get(), remapped.data(), remapped.size()) !=
        LIQ_OK)
        throw std::runtime_error("palette remapping failed");
    const liq_palette* pal = liq_get_palette(result.get());

    std::array<int, 256> to_slot{};
    int next = 0;
    for (unsigned n = 0; n < pal->count; ++n) {
        const liq_color& c = pal->entries[n];
        if (c.a < 128) {
            to_slot[n] = o.transparent_index;
            continue;
        }
        Rgba colour{c.r, c.g, c.b, 255};
        const Rgba& t = o.transparent_colour;
        if (colour.r == t.r && colour.g == t.g && colour.b == t.b)
            colour.b = static_cast<std::uint8_t>(colour.b ^ 1);
        to_slot[n] = slot(next++);
        out.palette[to_slot[n]] = colour;
    }
    for (std::size_t i = 0; i < remapped.size(); ++i)
        out.pixels[i] = flat.pixels[i].a ? static_cast<std::uint8_t>(to_slot[remapped[i]])
                                         : static_cast<std::uint8_t>(o.transparent_index);
    return out;
}

}  // namespace bolvenda::tools
