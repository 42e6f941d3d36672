#include "tests/assets/gif_file.hpp"

namespace bolvenda::test {
namespace {

class Cursor {
  public:
    explicit Cursor(const std::vector<std::uint8_t>& b) : b_(b) {}
    std::uint8_t u8() {
        if (at_ >= b_.size()) throw GifError("GIF ends early");
        return b_[at_++];
    }
    int u16() {
        const int lo = u8();
        return lo | u8() << 8;
    }
    std::size_t left() const { return b_.size() - at_; }
    // Joins a chain of sub-blocks up to its zero terminator.
    std::vector<std::uint8_t> sub_blocks(std::vector<int>* sizes = nullptr) {
        std::vector<std::uint8_t> out;
        for (int n = u8(); n != 0; n = u8()) {
            if (sizes) sizes->push_back(n);
            for (int i = 0; i < n; ++i) out.push_back(u8());
        }
        return out;
    }

  private:
    const std::vector<std::uint8_t>& b_;
    std::size_t at_ = 0;
};

std::vector<std::uint8_t> lzw_decode(const std::vector<std::uint8_t>& data, int min_code_size,
                                     std::size_t pixel_count) {
    if (min_code_size < 2 || min_code_size > 8) throw GifError("bad LZW code size");
    const int clear = 1 << min_code_size, end = clear + 1;
    std::vector<std::vector<std::uint8_t>> table;
    auto reset = [&] {
        table.assign(static_cast<std::size_t>(clear + 2), {});
        for (int i = 0; i < clear; ++i)
            table[static_cast<std::size_t>(i)] = {static_cast<std::uint8_t>(i)};
    };
    reset();
    int width = min_code_size + 1;
    std::vector<std::uint8_t> out;
    std::size_t bit = 0;
    int previous = -1;
    while (bit + static_cast<std::size_t>(width) <= data.size() * 8) {
        int code = 0;
        for (int i = 0; i < width; ++i, ++bit) code |= (data[bit / 8] >> (bit % 8) & 1) << i;
        if (code == clear) {
            reset();
            width = min_code_size + 1;
            previous = -1;
            continue;
        }
        if (code == end) break;
        std::vector<std::uint8_t> entry;
        if (code < static_cast<int>(table.size())) {
            entry = table[static_cast<std::size_t>(code)];
            if (previous >= 0 && table.size() < 4096) {
                auto grown = table[static_cast<std::size_t>(previous)];
                grown.push_back(entry[0]);
                table.push_back(std::move(grown));
            }
        } else if (code == static_cast<int>(table.size()) && previous >= 0) {
            entry = table[static_cast<std::size_t>(previous)];
            entry.push_back(entry[0]);
            table.push_back(entry);
        } else {
            throw GifError("bad LZW code");
        }
        out.insert(out.end(), entry.begin(), entry.end());
        previous = code;
        if (static_cast<int>(table.size()) == 1 << width && width < 12) ++width;
    }
    if (out.size() != pixel_count) throw GifError("pixel count does not match the image size");
    return out;
}

}  // namespace

GifFile read_gif(const std::vector<std::uint8_t>& bytes) {
    Cursor in(bytes);
    GifFile gif;
    for (int i = 0; i < 6; ++i) gif.signature.push_back(static_cast<char>(in.u8()));
    gif.screen_width = in.u16();
    gif.screen_height = in.u16();
    const int packed = in.u8();
    in.u8();  // background index
    in.u8();  // aspect
    gif.global_palette = packed & 0x80;
    gif.palette_size_field = packed & 0x07;
    if (gif.global_palette)
        for (int i = 0; i < 2 << gif.palette_size_field; ++i) {
            const std::uint8_t r = in.u8(), g = in.u8(), b = in.u8();
            gif.palette.push_back({r, g, b});
        }
    for (;;) {
        const int introducer = in.u8();
        if (introducer == 0x3B) {
            gif.trailer = true;
            gif.bytes_after_trailer = in.left();
            return gif;
        }
        if (introducer == 0x21) {
            GifExtension ext;
            ext.label = in.u8();
            ext.data = in.sub_blocks(&ext.block_sizes);
            gif.extensions.push_back(std::move(ext));
        } else if (introducer == 0x2C) {
            GifImage image;
            image.left = in.u16();
            image.top = in.u16();
            image.width = in.u16();
            image.height = in.u16();
            const int flags = in.u8();
            image.local_palette = flags & 0x80;
            image.interlaced = flags & 0x40;
            if (image.local_palette)
                for (int i = 0; i < 3 * (2 << (flags & 7)); ++i) in.u8();
            const int code_size = in.u8();
            image.pixels = lzw_decode(in.sub_blocks(), code_size,
                                      static_cast<std::size_t>(image.width) * image.height);
            gif.images.push_back(std::move(image));
        } else {
            throw GifError("unknown block");
        }
    }
}

}  // namespace bolvenda::test
