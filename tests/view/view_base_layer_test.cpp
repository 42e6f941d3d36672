// The unchanging layer keeps exactly the pixels it was given, in whichever form it chose.
#include <gtest/gtest.h>

#include <random>

#include "scene/view/base_layer.hpp"
#include "scene/view/canvas.hpp"
#include "tests/support/offscreen.hpp"

namespace bolvenda::testing {
namespace {

view::SurfacePtr noise(int w, int h, unsigned colours, unsigned seed) {
    view::SurfacePtr s = view::create_canvas_surface(w, h);
    std::mt19937 random(seed);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            reinterpret_cast<Uint32*>(static_cast<Uint8*>(s->pixels) + y * s->pitch)[x] =
                (random() % colours) * 0x010305u & 0x00FFFFFF;
    return s;
}

// The layer lies at inner in a larger window, letterboxed in one colour; each area crosses
// the letterbox on two sides.
TEST(BaseLayer, FewColoursIndexedManyWholeAndEitherCopiesExactlyWithItsLetterbox) {
    view::SdlLibrary sdl(false);
    const scene::Rect inner{20, 9, 97, 61};
    const Uint32 letterbox = 0xABCDEF;
    for (unsigned colours : {1u, 256u, 257u, 5000u}) {
        view::SurfacePtr drawn = noise(inner.width, inner.height, colours, colours);
        view::SurfacePtr copy = view::create_canvas_surface(140, 80);
        SDL_FillRect(copy.get(), nullptr, letterbox);
        SDL_Rect at{inner.left, inner.top, inner.width, inner.height};
        SDL_BlitSurface(drawn.get(), nullptr, copy.get(), &at);
        view::BaseLayer layer;
        layer.keep(std::move(drawn), inner, letterbox);
        EXPECT_EQ(layer.indexed(), colours <= 256) << colours;
        for (const scene::Rect area : {scene::Rect{13, 7, 40, 50}, scene::Rect{100, 60, 40, 20}}) {
            view::SurfacePtr target = view::create_canvas_surface(140, 80);
            SDL_FillRect(target.get(), nullptr, 0x123456);
            layer.copy_to(*target, area);
            const Pixels result = pixels_of(*target);
            EXPECT_EQ(compare(result, pixels_of(*copy), area).count, 0) << colours;
            EXPECT_EQ(result.rgb(area.left - 1, area.top), (scene::Rgb{0x12, 0x34, 0x56}))
                << "nothing outside the area";
            EXPECT_EQ(result.rgb(area.right() - 1, area.top - 1), (scene::Rgb{0x12, 0x34, 0x56}));
        }
    }
}

}  // namespace
}  // namespace bolvenda::testing
