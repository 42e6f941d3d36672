// The embedded pictures decoded to the premultiplied pixels the painter takes: by the game's
// own GIF decoder and by giflib, the library it could use instead. The pond is most of what
// the start decodes.
#include <benchmark/benchmark.h>
#include <gif_lib.h>

#include <algorithm>
#include <string>

#include "render/premultiplied_image.hpp"
#include "scene/assets/assets.hpp"
#include "tests/assets/gif_library.hpp"

namespace {

using namespace bolvenda;

// What decode_picture gives, through giflib: the first image on its logical screen, the
// transparent index and what the image leaves uncovered 0.
render::PremultipliedImage decode_with_giflib(std::span<const unsigned char> bytes) {
    const test::Gif read = test::read_gif(bytes);  // the tests' reading, timed whole
    GifFileType* gif = read.file.get();
    const SavedImage& image = read.image();
    const ColorMapObject* map =
        image.ImageDesc.ColorMap ? image.ImageDesc.ColorMap : gif->SColorMap;
    GraphicsControlBlock gcb{};
    gcb.TransparentColor = NO_TRANSPARENT_COLOR;
    DGifSavedExtensionToGCB(gif, 0, &gcb);
    std::uint32_t colours[256] = {};
    for (int i = 0; map && i < map->ColorCount && i < 256; ++i) {
        const GifColorType& c = map->Colors[i];
        if (i != gcb.TransparentColor)
            colours[i] = 0xFF000000u | c.Red << 16 | c.Green << 8 | c.Blue;
    }
    render::PremultipliedImage out;
    out.width = gif->SWidth;
    out.height = gif->SHeight;
    out.pixels.assign(static_cast<std::size_t>(out.width) * out.height, 0);
    const GifImageDesc& d = image.ImageDesc;
    for (int y = std::max(d.Top, 0); y < std::min(d.Top + d.Height, out.height); ++y)
        for (int x = std::max(d.Left, 0); x < std::min(d.Left + d.Width, out.width); ++x)
            out.pixels[static_cast<std::size_t>(y) * out.width + x] =
                colours[image.RasterBits[(y - d.Top) * d.Width + (x - d.Left)]];
    return out;
}

void own_decoder(benchmark::State& state, const std::string& name) {
    const auto bytes = assets::asset(name);
    for (auto _ : state) {
        render::PremultipliedImage image = render::decode_picture(bytes, name.c_str());
        benchmark::DoNotOptimize(image.pixels.data());
    }
}

void giflib(benchmark::State& state, const std::string& name) {
    const auto bytes = assets::asset(name);
    if (decode_with_giflib(bytes).pixels != render::decode_picture(bytes, name.c_str()).pixels)
        state.SkipWithError("giflib and the game's decoder disagree");
    for (auto _ : state) {
        render::PremultipliedImage image = decode_with_giflib(bytes);
        benchmark::DoNotOptimize(image.pixels.data());
    }
}

}  // namespace

// Every embedded picture, each decoder in turn.
int main(int argc, char** argv) {
    for (std::string_view asset : assets::asset_names()) {
        const std::string name(asset);
        if (!name.ends_with(".gif")) continue;
        benchmark::RegisterBenchmark(("own/" + name).c_str(), own_decoder, name)
            ->Unit(benchmark::kMicrosecond);
        benchmark::RegisterBenchmark(("giflib/" + name).c_str(), giflib, name)
            ->Unit(benchmark::kMicrosecond);
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
}
