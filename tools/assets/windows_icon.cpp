#include "tools/assets/windows_icon.hpp"

#include <array>
#include <limits>
#include <stdexcept>

namespace bolvenda::tools {
namespace {

constexpr std::array<Rgba, 16> vga{{{0, 0, 0, 255},
                                    {128, 0, 0, 255},
                                    {0, 128, 0, 255},
                                    {128, 128, 0, 255},
                                    {0, 0, 128, 255},
                                    {128, 0, 128, 255},
                                    {0, 128, 128, 255},
                                    {192, 192, 192, 255},
                                    {128, 128, 128, 255},
                                    {255, 0, 0, 255},
                                    {0, 255, 0, 255},
                                    {255, 255, 0, 255},
                                    {0, 0, 255, 255},
                                    {255, 0, 255, 255},
                                    {0, 255, 255, 255},
                                    {255, 255, 255, 255}}};
constexpr std::array<Rgba, 2> mono{{{0, 0, 0, 255}, {255, 255, 255, 255}}};

template <std::size_t N>
std::uint8_t nearest(const std::array<Rgba, N>& palette, const Rgba& c) {
    int best = 0;
    int best_distance = std::numeric_limits<int>::max();
    for (std::size_t i = 0; i < N; ++i) {
        const int dr = c.r - palette[i].r, dg = c.g - palette[i].g, db = c.b - palette[i].b;
        const int d = 3 * dr * dr + 4 * dg * dg + 2 * db * db;
        if (d < best_distance) best_distance = d, best = static_cast<int>(i);
    }
    return static_cast<std::uint8_t>(best);
}

void put16(std::vector<std::uint8_t>& out, unsigned v) {
    out.push_back(static_cast<std::uint8_t>(v));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
}
void put32(std::vector<std::uint8_t>& out, unsigned v) {
    put16(out, v & 0xFFFF);
    put16(out, v >> 16);
}

int row_bytes(int width, int bits) { return (width * bits + 31) / 32 * 4; }

// BITMAPINFOHEADER (height doubled for the mask), palette, XOR rows, AND rows; bottom-up.
std::vector<std::uint8_t> dib(const IconImage& im) {
    const int xor_row = row_bytes(im.width, im.bits), and_row = row_bytes(im.width, 1);
    std::vector<std::uint8_t> out;
    put32(out, 40);
    put32(out, static_cast<unsigned>(im.width));
    put32(out, static_cast<unsigned>(im.height * 2));
    put16(out, 1);
    put16(out, static_cast<unsigned>(im.bits));
    put32(out, 0);
    put32(out, static_cast<unsigned>((xor_row + and_row) * im.height));
    for (int i = 0; i < 4; ++i) put32(out, 0);
    auto put_palette = [&out](const auto& palette) {
        for (const Rgba& c : palette) out.insert(out.end(), {c.b, c.g, c.r, 0});
    };
    if (im.bits == 1)
        put_palette(mono);
    else
        put_palette(vga);

    for (int y = im.height - 1; y >= 0; --y) {
        std::vector<std::uint8_t> row(static_cast<std::size_t>(xor_row));
        for (int x = 0; x < im.width; ++x) {
            const std::size_t i = static_cast<std::size_t>(y) * im.width + x;
            const unsigned v = im.transparent[i] ? 0 : im.indices[i];
            const int bit = x * im.bits;
            row[bit / 8] |= static_cast<std::uint8_t>(v << (8 - im.bits - bit % 8));
        }
        out.insert(out.end(), row.begin(), row.end());
    }
    for (int y = im.height - 1; y >= 0; --y) {
        std::vector<std::uint8_t> row(static_cast<std::size_t>(and_row));
        for (int x = 0; x < im.width; ++x)
            if (im.transparent[static_cast<std::size_t>(y) * im.width + x])
                row[x / 8] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
        out.insert(out.end(), row.begin(), row.end());
    }
    return out;
}

}  // namespace

IconImage to_icon_image(const Raster& art, int bits, int alpha_threshold) {
    if (bits != 1 && bits != 4) throw std::invalid_argument("icon depth must be 1 or 4");
    IconImage im{art.width, art.height, bits, {}, {}};
    for (const Rgba& p : art.pixels) {
        const bool clear = p.a < alpha_threshold;
        im.transparent.push_back(clear);
        // One bit: the art is drawn in black and white with dot patterns for its greys, so
        // near-white stays white and the rest is black.
        const bool light = p.r > 224 && p.g > 224 && p.b > 224;
        im.indices.push_back(clear ? 0 : bits == 1 ? (light ? 1 : 0) : nearest(vga, p));
    }
    return im;
}

std::vector<std::uint8_t> encode_cursor(const IconImage& image, int hot_x, int hot_y) {
    const std::vector<std::uint8_t> body = dib(image);
    std::vector<std::uint8_t> out;
    put16(out, 0);
    put16(out, 2);  // cursor
    put16(out, 1);
    out.insert(out.end(),
               {static_cast<std::uint8_t>(image.width), static_cast<std::uint8_t>(image.height),
                static_cast<std::uint8_t>(1u << image.bits), 0});
    put16(out, static_cast<unsigned>(hot_x));
    put16(out, static_cast<unsigned>(hot_y));
    put32(out, static_cast<unsigned>(body.size()));
    put32(out, 6 + 16);
    out.insert(out.end(), body.begin(), body.end());
    return out;
}

std::vector<std::uint8_t> encode_icon(const std::vector<IconImage>& images) {
    std::vector<std::vector<std::uint8_t>> bodies;
    for (const IconImage& im : images) bodies.push_back(dib(im));
    std::vector<std::uint8_t> out;
    put16(out, 0);
    put16(out, 1);  // icon
    put16(out, static_cast<unsigned>(images.size()));
    unsigned offset = 6 + 16 * static_cast<unsigned>(images.size());
    for (std::size_t i = 0; i < images.size(); ++i) {
        const IconImage& im = images[i];
        out.insert(out.end(),
                   {static_cast<std::uint8_t>(im.width), static_cast<std::uint8_t>(im.height),
                    static_cast<std::uint8_t>(im.bits == 1 ? 2 : 16), 0});
        put16(out, 1);
        put16(out, static_cast<unsigned>(im.bits));
        put32(out, static_cast<unsigned>(bodies[i].size()));
        put32(out, offset);
        offset += static_cast<unsigned>(bodies[i].size());
    }
    for (const auto& b : bodies) out.insert(out.end(), b.begin(), b.end());
    return out;
}

}  // namespace bolvenda::tools
