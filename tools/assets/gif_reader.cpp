#include "tools/assets/gif_reader.hpp"

#include <gif_lib.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <stdexcept>

#include "scene/assets/icon_file.hpp"

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

std::vector<Raster> decode_icon_images(const std::vector<std::uint8_t>& bytes) {
    std::vector<Raster> images;
    for (const assets::IconImage& icon : assets::read_icon_images(bytes)) {
        Raster out(icon.width, icon.height);
        for (std::size_t i = 0; i < out.pixels.size(); ++i) {
            const std::uint32_t p = icon.argb[i];
            out.pixels[i] = {static_cast<std::uint8_t>(p >> 16), static_cast<std::uint8_t>(p >> 8),
                             static_cast<std::uint8_t>(p), static_cast<std::uint8_t>(p >> 24)};
        }
        images.push_back(std::move(out));
    }
    return images;
}

}  // namespace bolvenda::tools
