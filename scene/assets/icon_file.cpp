#include "scene/assets/icon_file.hpp"

#include <cstddef>

namespace bolvenda::assets {

namespace {

class Reader {
  public:
    explicit Reader(std::span<const unsigned char> bytes) : bytes_(bytes) {}
    bool has(std::size_t at, std::size_t length) const {
        return at <= bytes_.size() && length <= bytes_.size() - at;
    }
    unsigned u8(std::size_t at) const { return bytes_[at]; }
    unsigned u16(std::size_t at) const { return u8(at) | u8(at + 1) << 8; }
    std::uint32_t u32(std::size_t at) const {
        return u16(at) | static_cast<std::uint32_t>(u16(at + 2)) << 16;
    }

  private:
    std::span<const unsigned char> bytes_;
};

struct Entry {
    int width, height, bits;
    unsigned hot_x, hot_y;
    std::size_t at, length;
};

// One BITMAPINFOHEADER image: colour bitmap (XOR) then the 1-bit transparency mask (AND), both
// bottom-up with rows padded to four bytes; the header's height counts both bitmaps.
std::optional<IconImage> read_dib(const Reader& in, const Entry& entry) {
    const std::size_t at = entry.at;
    if (!in.has(at, 40) || in.u32(at) < 40 || in.u32(at + 16) != 0 /* uncompressed */)
        return std::nullopt;
    const auto width = static_cast<std::int32_t>(in.u32(at + 4));
    const auto height = static_cast<std::int32_t>(in.u32(at + 8)) / 2;
    const unsigned bits = in.u16(at + 14);
    if (width <= 0 || height <= 0 || width > 1024 || height > 1024) return std::nullopt;
    if (bits != 1 && bits != 4 && bits != 8 && bits != 24 && bits != 32) return std::nullopt;

    std::size_t colours = 0;
    if (bits <= 8) {
        colours = in.u32(at + 32) != 0 ? in.u32(at + 32) : std::size_t{1} << bits;
        if (colours > (std::size_t{1} << bits)) return std::nullopt;
    }
    const std::size_t palette_at = at + in.u32(at);
    const std::size_t xor_row = (static_cast<std::size_t>(width) * bits + 31) / 32 * 4;
    const std::size_t and_row = (static_cast<std::size_t>(width) + 31) / 32 * 4;
    const std::size_t xor_at = palette_at + 4 * colours;
    const std::size_t and_at = xor_at + xor_row * static_cast<std::size_t>(height);
    if (!in.has(palette_at, and_at + and_row * static_cast<std::size_t>(height) - palette_at))
        return std::nullopt;
    if (and_at + and_row * static_cast<std::size_t>(height) > entry.at + entry.length)
        return std::nullopt;

    IconImage image;
    image.width = width;
    image.height = height;
    image.hot_x = static_cast<int>(entry.hot_x);
    image.hot_y = static_cast<int>(entry.hot_y);
    image.bits = static_cast<int>(bits);
    image.argb.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    bool any_alpha = false;
    for (int y = 0; y < height; ++y) {
        const std::size_t row = static_cast<std::size_t>(height - 1 - y);
        for (int x = 0; x < width; ++x) {
            const std::size_t xr = xor_at + row * xor_row;
            std::uint32_t argb = 0;
            if (bits <= 8) {
                const std::size_t bit = static_cast<std::size_t>(x) * bits;
                const unsigned index =
                    in.u8(xr + bit / 8) >> (8 - bits - bit % 8) & ((1u << bits) - 1);
                if (index >= colours) return std::nullopt;
                const std::size_t c = palette_at + 4 * index;
                argb = 0xFF000000u | in.u8(c + 2) << 16 | in.u8(c + 1) << 8 | in.u8(c);
            } else {
                const std::size_t p = xr + static_cast<std::size_t>(x) * (bits / 8);
                const std::uint32_t alpha = bits == 32 ? in.u8(p + 3) : 0xFF;
                any_alpha |= bits == 32 && alpha != 0;
                argb = alpha << 24 | in.u8(p + 2) << 16 | in.u8(p + 1) << 8 | in.u8(p);
            }
            const bool masked =
                in.u8(and_at + row * and_row + static_cast<std::size_t>(x) / 8) >> (7 - x % 8) & 1;
            if (masked && bits != 32) argb = 0;
            image.argb[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                       static_cast<std::size_t>(x)] = argb;
        }
    }
    // A 32-bit image without any alpha is an old one that relies on its mask alone.
    if (bits == 32 && !any_alpha) {
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) {
                const std::size_t row = static_cast<std::size_t>(height - 1 - y);
                const bool masked =
                    in.u8(and_at + row * and_row + static_cast<std::size_t>(x) / 8) >> (7 - x % 8) &
                    1;
                std::uint32_t& p =
                    image.argb[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                               static_cast<std::size_t>(x)];
                p = masked ? 0 : p | 0xFF000000u;
            }
    }
    return image;
}

}  // namespace

std::vector<IconImage> read_icon_images(std::span<const unsigned char> bytes) {
    const Reader in(bytes);
    std::vector<IconImage> images;
    if (!in.has(0, 6) || in.u16(0) != 0) return images;
    const unsigned type = in.u16(2);  // 1 icon, 2 cursor
    const unsigned count = in.u16(4);
    if (type != 1 && type != 2) return images;
    for (unsigned i = 0; i < count; ++i) {
        const std::size_t e = 6 + 16 * std::size_t{i};
        if (!in.has(e, 16)) break;
        Entry entry{static_cast<int>(in.u8(e) == 0 ? 256 : in.u8(e)),
                    static_cast<int>(in.u8(e + 1) == 0 ? 256 : in.u8(e + 1)),
                    0,
                    type == 2 ? in.u16(e + 4) : 0,
                    type == 2 ? in.u16(e + 6) : 0,
                    in.u32(e + 12),
                    in.u32(e + 8)};
        if (!in.has(entry.at, entry.length)) continue;
        if (std::optional<IconImage> image = read_dib(in, entry))
            images.push_back(std::move(*image));
    }
    return images;
}

std::optional<IconImage> read_icon_file(std::span<const unsigned char> bytes) {
    std::optional<IconImage> best;
    for (IconImage& image : read_icon_images(bytes)) {
        const int area = image.width * image.height;
        if (!best || area > best->width * best->height ||
            (area == best->width * best->height && image.bits > best->bits))
            best = std::move(image);
    }
    return best;
}

}  // namespace bolvenda::assets
