#include "tools/assets/gif_writer.hpp"

#include <gif_lib.h>

#include <array>
#include <memory>
#include <stdexcept>
#include <string>

namespace bolvenda::tools {
namespace {

struct MapDeleter {
    void operator()(ColorMapObject* m) const { GifFreeMapObject(m); }
};
// Only for the error paths: a successful close is checked by hand.
struct GifDeleter {
    void operator()(GifFileType* g) const { EGifCloseFile(g, nullptr); }
};

int append(GifFileType* gif, const GifByteType* bytes, int length) {
    auto* out = static_cast<std::vector<std::uint8_t>*>(gif->UserData);
    out->insert(out->end(), bytes, bytes + length);
    return length;
}

void check(int status, const char* step) {
    if (status != GIF_OK) throw std::runtime_error(std::string("GIF writing failed at ") + step);
}

}  // namespace

std::vector<std::uint8_t> encode_gif(const Indexed& picture) {
    std::vector<std::uint8_t> out;
    int error = 0;
    std::unique_ptr<GifFileType, GifDeleter> gif(EGifOpen(&out, append, &error));
    if (!gif) throw std::runtime_error("cannot start a GIF");
    EGifSetGifVersion(gif.get(), true);

    std::array<GifColorType, 256> colours{};
    for (std::size_t i = 0; i < colours.size(); ++i)
        colours[i] = {picture.palette[i].r, picture.palette[i].g, picture.palette[i].b};
    std::unique_ptr<ColorMapObject, MapDeleter> map(GifMakeMapObject(256, colours.data()));
    check(EGifPutScreenDesc(gif.get(), picture.width, picture.height, 8, 0, map.get()), "screen");

    // Transparency flag only: no disposal, no user input, delay 0.
    const GifByteType control[4] = {0x01, 0, 0, static_cast<GifByteType>(picture.transparent)};
    check(EGifPutExtension(gif.get(), GRAPHICS_EXT_FUNC_CODE, 4, control), "extension");
    check(EGifPutImageDesc(gif.get(), 0, 0, picture.width, picture.height, false, nullptr),
          "image");
    std::vector<GifPixelType> row(static_cast<std::size_t>(picture.width));
    for (int y = 0; y < picture.height; ++y) {
        const auto* src = picture.pixels.data() + static_cast<std::size_t>(y) * picture.width;
        row.assign(src, src + picture.width);
        check(EGifPutLine(gif.get(), row.data(), picture.width), "pixels");
    }
    if (EGifCloseFile(gif.release(), &error) != GIF_OK)
        throw std::runtime_error("GIF writing failed at the trailer");
    return out;
}

}  // namespace bolvenda::tools
