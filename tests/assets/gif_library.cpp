#include "tests/assets/gif_library.hpp"

#include <algorithm>
#include <cstring>
#include <stdexcept>
#include <string>

namespace bolvenda::test {
namespace {

struct Source {
    std::span<const unsigned char> bytes;
    std::size_t at = 0;
};

int read_from(GifFileType* gif, GifByteType* into, int length) {
    auto& s = *static_cast<Source*>(gif->UserData);
    const std::size_t n = std::min(static_cast<std::size_t>(length), s.bytes.size() - s.at);
    std::memcpy(into, s.bytes.data() + s.at, n);
    s.at += n;
    return static_cast<int>(n);
}

}  // namespace

Gif read_gif(std::span<const unsigned char> bytes) {
    Source source{bytes};
    int error = 0;
    Gif gif{std::unique_ptr<GifFileType, GifCloser>(DGifOpen(&source, read_from, &error))};
    if (!gif.file) throw std::runtime_error(std::string("giflib: ") + GifErrorString(error));
    if (DGifSlurp(gif.file.get()) != GIF_OK)
        throw std::runtime_error(std::string("giflib: ") + GifErrorString(gif.file->Error));
    gif.bytes_read = source.at;
    return gif;
}

const SavedImage& Gif::image() const {
    if (file->ImageCount < 1) throw std::runtime_error("the GIF holds no image");
    return file->SavedImages[0];
}

GifColour Gif::colour(int index) const {
    const ColorMapObject* map = file->SColorMap;
    if (!map || index < 0 || index >= map->ColorCount)
        throw std::runtime_error("index outside the global palette");
    const GifColorType& c = map->Colors[index];
    return {c.Red, c.Green, c.Blue};
}

}  // namespace bolvenda::test
