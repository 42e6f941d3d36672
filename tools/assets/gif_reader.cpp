#include "tools/assets/gif_reader.hpp"

#include <gif_lib.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <stdexcept>

namespace bolvenda::tools {
namespace {

struct Source {
    const std::vector<std::uint8_t>* bytes;
    std::size_t at = 0;
};

int read_from(GifFileType* gif, GifByteType* buffer, int length) {
    auto* s = static_cast<Source*>(gif->UserData);
    const std::size_t n =
        std::min<std::size_t>(static_cast<std::size_t>(length), s->bytes->size() - s->at);
    std::memcpy(buffer, s->bytes->data() + s->at, n);
    s->at += n;
    return static_cast<int>(n);
}

struct GifDeleter {
    void operator()(GifFileType* g) const { DGifCloseFile(g, nullptr); }
};

unsigned le16(const std::vector<std::uint8_t>& b, std::size_t at) {
    return b.at(at) | b.at(at + 1) << 8;
}
unsigned le32(const std::vector<std::uint8_t>& b, std::size_t at) {
    return le16(b, at) | le16(b, at + 2) << 16;
}

}  // namespace

Raster decode_gif(const std::vector<std::uint8_t>& bytes) {
    Source source{&bytes};
    int error = 0;
    std::unique_ptr<GifFileType, GifDeleter> gif(DGifOpen(&source, read_from, &error));
    if (!gif || DGifSlurp(gif.get()) != GIF_OK || gif->ImageCount < 1)
        throw std::runtime_error("not a readable GIF");
    const SavedImage& frame = gif->SavedImages[0];
    const ColorMapObject* map =
        frame.ImageDesc.ColorMap ? frame.ImageDesc.ColorMap : gif->SColorMap;
    GraphicsControlBlock gcb{};
    gcb.TransparentColor = NO_TRANSPARENT_COLOR;
    DGifSavedExtensionToGCB(gif.get(), 0, &gcb);

    Raster out(frame.ImageDesc.Width, frame.ImageDesc.Height);
    for (std::size_t i = 0; i < out.pixels.size(); ++i) {
        const int index = frame.RasterBits[i];
        if (index == gcb.TransparentColor || !map || index >= map->ColorCount) continue;
        const GifColorType c = map->Colors[index];
        out.pixels[i] = {c.Red, c.Green, c.Blue, 255};
    }
    return out;
}

std::vector<Raster> decode_icon_images(const std::vector<std::uint8_t>& b) {
    std::vector<Raster> images;
    const unsigned count = le16(b, 4);
    for (unsigned n = 0; n < count; ++n) {
        const std::size_t dib = le32(b, 6 + 16 * n + 12);
        const int w = static_cast<int>(le32(b, dib + 4));
        const int h = static_cast<int>(le32(b, dib + 8)) / 2;
        const int bits = static_cast<int>(le16(b, dib + 14));
        const std::size_t palette = dib + le32(b, dib);
        const std::size_t xor_at = palette + 4 * (std::size_t{1} << bits);
        const int xor_row = (w * bits + 31) / 32 * 4, and_row = (w + 31) / 32 * 4;
        const std::size_t and_at = xor_at + static_cast<std::size_t>(xor_row) * h;
        Raster out(w, h);
        for (int y = 0; y < h; ++y) {
            const int row = h - 1 - y;  // stored bottom-up
            for (int x = 0; x < w; ++x) {
                const unsigned mask = b.at(and_at + row * and_row + x / 8) >> (7 - x % 8) & 1;
                if (mask) continue;
                const int bit = x * bits;
                const unsigned byte = b.at(xor_at + row * xor_row + bit / 8);
                const unsigned index = byte >> (8 - bits - bit % 8) & ((1u << bits) - 1);
                const std::size_t c = palette + 4 * index;
                out.at(x, y) = {b.at(c + 2), b.at(c + 1), b.at(c), 255};
            }
        }
        images.push_back(std::move(out));
    }
    return images;
}

}  // namespace bolvenda::tools
