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

TEST(BaseLayer, FewColoursIndexedManyWholeAndEitherCopiesExactly) {
    view::SdlLibrary sdl(false);
    for (unsigned colours : {1u, 256u, 257u, 5000u}) {
        view::SurfacePtr drawn = noise(97, 61, colours, colours);
        view::SurfacePtr copy = view::create_canvas_surface(97, 61);
        SDL_BlitSurface(drawn.get(), nullptr, copy.get(), nullptr);
        view::BaseLayer layer;
        layer.keep(std::move(drawn));
        EXPECT_EQ(layer.indexed(), colours <= 256) << colours;
        view::SurfacePtr target = view::create_canvas_surface(97, 61);
        SDL_FillRect(target.get(), nullptr, 0x123456);
        const scene::Rect area{13, 7, 40, 50};
        layer.copy_to(*target, area);
        const Pixels result = pixels_of(*target);
        EXPECT_EQ(compare(result, pixels_of(*copy), area).count, 0) << colours;
        EXPECT_EQ(result.rgb(12, 7), (scene::Rgb{0x12, 0x34, 0x56})) << "nothing outside the area";
        EXPECT_EQ(result.rgb(53, 56), (scene::Rgb{0x12, 0x34, 0x56}));
    }
}

}  // namespace
}  // namespace bolvenda::testing
