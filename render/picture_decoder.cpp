// Embedded GIFs decoded into premultiplied pictures, refused whole where the file is cut short.
// The first image of the file only, as the game's pictures are still. Our own decoder: a
// general one spends most of a browser's start-up on the pond (giflib takes three to four
// times as long, natively and in a cold browser: bench/gif_bench).
#include <algorithm>
#include <array>
#include <limits>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "render/premultiplied_image.hpp"
#include "render/startup_error.hpp"

namespace bolvenda::render {

namespace {

// What a GIF's image block holds: where it sits on the logical screen, its colours and its
// LZW data with the sub-block lengths taken out.
struct GifImage {
    int left = 0, top = 0, width = 0, height = 0;
    bool interlaced = false;
    std::array<std::uint32_t, 256> colours{};  // premultiplied; the transparent index is 0
    int min_code_size = 0;
    std::vector<unsigned char> lzw;
};

class GifError : public std::runtime_error {
    using std::runtime_error::runtime_error;
};

// Walks a GIF's blocks to its trailer and keeps its first image. A file cut short anywhere, or
// with a block no GIF has, fails here, where a decoder would fill the missing rows with
// whatever it guessed.
GifImage first_image_of_whole(std::span<const unsigned char> b) {
    const GifError not_whole("not a whole GIF file");
    if (b.size() < 13 || b[0] != 'G' || b[1] != 'I' || b[2] != 'F') throw not_whole;
    std::size_t at = 13;  // signature and logical screen descriptor
    auto byte = [&]() -> unsigned {
        if (at >= b.size()) throw not_whole;
        return b[at++];
    };
    auto u16 = [&] {
        const unsigned lo = byte();
        return static_cast<int>(lo | byte() << 8);
    };
    auto colour_table = [&](unsigned flags, std::array<std::uint32_t, 256>& into) {
        if (!(flags & 0x80)) return false;
        into.fill(0);  // indices past a short table are left transparent
        for (unsigned i = 0; i < 2u << (flags & 7); ++i) {
            const std::uint32_t r = byte(), g = byte(), bl = byte();
            into[i] = 0xFF000000u | r << 16 | g << 8 | bl;
        }
        return true;
    };
    // A chain of sub-blocks up to its empty one, each handed over as (offset, length).
    auto sub_blocks = [&](auto&& each) {
        for (unsigned n = byte(); n != 0; n = byte()) {
            if (n > b.size() - at) throw not_whole;
            each(at, n);
            at += n;
        }
    };
    std::array<std::uint32_t, 256> global{};
    const bool has_global = colour_table(b[10], global);
    std::optional<GifImage> first;
    int transparent = -1;
    for (;;) {
        const unsigned introducer = byte();
        if (introducer == 0x3B) {  // the trailer
            if (!first) throw GifError("no image");
            return std::move(*first);
        }
        if (introducer == 0x21) {
            // The graphic control block before the first image: flags, delay, transparent index.
            const bool control = byte() == 0xF9 && !first;
            sub_blocks([&](std::size_t block, unsigned n) {
                if (control && n >= 4) transparent = (b[block] & 1) ? b[block + 3] : -1;
            });
        } else if (introducer == 0x2C) {
            GifImage image;
            image.left = u16();
            image.top = u16();
            image.width = u16();
            image.height = u16();
            const unsigned flags = byte();
            image.interlaced = flags & 0x40;
            if (!colour_table(flags, image.colours)) {
                if (!has_global) throw GifError("no colour table");
                image.colours = global;
            }
            if (transparent >= 0) image.colours[static_cast<std::size_t>(transparent)] = 0;
            image.min_code_size = static_cast<int>(byte());
            sub_blocks([&](std::size_t block, unsigned n) {
                if (!first)
                    image.lzw.insert(image.lzw.end(),
                                     b.begin() + static_cast<std::ptrdiff_t>(block),
                                     b.begin() + static_cast<std::ptrdiff_t>(block + n));
            });
            if (!first) first = std::move(image);
        } else {
            throw not_whole;
        }
    }
}

// GIF's variable-width LZW into colour indices, at most out.size() of them (a surplus is
// dropped); returns how many it wrote. Each code's string is written straight into place,
// back to front, from the table of prefixes: no stack, no copy.
std::size_t lzw_decode(std::span<const unsigned char> data, int min_code_size,
                       std::span<std::uint8_t> out) {
    if (min_code_size < 2 || min_code_size > 8) throw GifError("bad LZW code size");
    constexpr int max_codes = 4096;
    std::array<std::uint16_t, max_codes> prefix{}, length{};
    std::array<std::uint8_t, max_codes> suffix{}, first{};
    const int clear = 1 << min_code_size, end = clear + 1;
    for (int i = 0; i < clear; ++i) {
        suffix[static_cast<std::size_t>(i)] = first[static_cast<std::size_t>(i)] =
            static_cast<std::uint8_t>(i);
        length[static_cast<std::size_t>(i)] = 1;
    }
    int next = clear + 2, width = min_code_size + 1, previous = -1;
    std::uint32_t bits = 0;
    int held = 0;
    std::size_t in = 0, written = 0;
    auto put = [&](int code) {
        const std::size_t n = length[static_cast<std::size_t>(code)];
        std::size_t at = written + n;
        written = at;
        for (int k = code;; k = prefix[static_cast<std::size_t>(k)]) {
            if (--at < out.size()) out[at] = suffix[static_cast<std::size_t>(k)];
            if (at == written - n) break;
        }
    };
    while (written < out.size()) {
        while (held < width) {
            if (in == data.size()) return written;
            bits |= std::uint32_t{data[in++]} << held;
            held += 8;
        }
        const int code = static_cast<int>(bits & ((1u << width) - 1));
        bits >>= width;
        held -= width;
        if (code == clear) {
            next = clear + 2;
            width = min_code_size + 1;
            previous = -1;
            continue;
        }
        if (code == end) return written;
        if (previous < 0) {
            if (code > clear) throw GifError("bad LZW code");
            put(code);
            previous = code;
            continue;
        }
        std::uint8_t head;
        if (code < next) {
            head = first[static_cast<std::size_t>(code)];
            put(code);
        } else if (code == next && next < max_codes) {
            // The string about to be defined: the previous one and its own first colour.
            head = first[static_cast<std::size_t>(previous)];
            put(previous);
            if (written++ < out.size()) out[written - 1] = head;
        } else {
            throw GifError("bad LZW code");
        }
        if (next < max_codes) {
            const auto n = static_cast<std::size_t>(next);
            prefix[n] = static_cast<std::uint16_t>(previous);
            suffix[n] = head;
            first[n] = first[static_cast<std::size_t>(previous)];
            length[n] = static_cast<std::uint16_t>(length[static_cast<std::size_t>(previous)] + 1);
            ++next;
            if (next == 1 << width && width < 12) ++width;
        }
        previous = code;
    }
    return out.size();
}

// The rows of an interlaced image in the order they are stored: every 8th from 0, every 8th
// from 4, every 4th from 2, every 2nd from 1.
std::vector<int> stored_row_order(int height, bool interlaced) {
    std::vector<int> rows;
    rows.reserve(static_cast<std::size_t>(height));
    if (!interlaced) {
        for (int y = 0; y < height; ++y) rows.push_back(y);
        return rows;
    }
    for (auto [start, step] : {std::pair{0, 8}, {4, 8}, {2, 4}, {1, 2}})
        for (int y = start; y < height; y += step) rows.push_back(y);
    return rows;
}

}  // namespace

PremultipliedImage decode_picture(std::span<const unsigned char> bytes, const char* name) {
    auto fail = [name](const std::string& why) {
        return StartupError(std::string("cannot decode the picture ") + name + " (" + why + ")",
                            "Impossibile leggere le immagini del gioco.");
    };
    if (bytes.empty()) throw fail("not embedded");
    // No picture larger than any the game carries could be: a damaged header asks for no more.
    constexpr int largest = 4096;
    PremultipliedImage picture;
    try {
        const GifImage image = first_image_of_whole(bytes);
        picture.width = bytes[6] | bytes[7] << 8;
        picture.height = bytes[8] | bytes[9] << 8;
        if (picture.width <= 0 || picture.height <= 0 || picture.width > largest ||
            picture.height > largest)
            throw GifError("no size or too large");
        if (image.width > largest || image.height > largest) throw GifError("image too large");
        // Not zeroed: only what the decoder wrote is read.
        const std::size_t count =
            static_cast<std::size_t>(image.width) * static_cast<std::size_t>(image.height);
        const std::unique_ptr<std::uint8_t[]> indices(new std::uint8_t[count]);
        const std::size_t decoded =
            lzw_decode(image.lzw, image.min_code_size, {indices.get(), count});
        // On the logical screen; what the image leaves uncovered, or its data left out, is
        // transparent.
        picture.pixels.assign(
            static_cast<std::size_t>(picture.width) * static_cast<std::size_t>(picture.height), 0);
        const std::vector<int> rows = stored_row_order(image.height, image.interlaced);
        const int x0 = std::max(image.left, 0);
        const int x1 = std::min(image.left + image.width, picture.width);
        for (std::size_t stored = 0; stored < rows.size(); ++stored) {
            const int y = image.top + rows[stored];
            const std::size_t row = stored * static_cast<std::size_t>(image.width);
            if (y >= picture.height || row >= decoded) continue;
            const int end = std::min<std::size_t>(x1, image.left + (decoded - row));
            const std::uint8_t* from = &indices[row];
            std::uint32_t* to =
                &picture
                     .pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(picture.width)];
            for (int x = x0; x < end; ++x) to[x] = image.colours[from[x - image.left]];
        }
    } catch (const GifError& error) {
        throw fail(error.what());
    }
    return picture;
}

}  // namespace bolvenda::render
