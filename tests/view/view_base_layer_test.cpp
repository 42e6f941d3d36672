// The unchanging layer keeps exactly the pixels it was given, in whichever form it chose.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <random>

#include "render/base_layer.hpp"
#include "render/canvas.hpp"
#include "tests/support/offscreen.hpp"

namespace bolvenda::testing {
namespace {

render::PixelImage noise(int w, int h, unsigned colours, unsigned seed) {
    render::PixelImage image(w, h);
    std::mt19937 random(seed);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            image.view().row(y)[x] = (random() % colours) * 0x010305u & 0x00FFFFFF;
    return image;
}

render::PixelImage filled(int w, int h, std::uint32_t pixel) {
    render::PixelImage image(w, h);
    render::Canvas(image.view())
        .fill({0, 0, w, h},
              {static_cast<unsigned char>(pixel >> 16), static_cast<unsigned char>(pixel >> 8),
               static_cast<unsigned char>(pixel)});
    return image;
}

// The layer lies at inner in a larger window, letterboxed in one colour; each area crosses
// the letterbox on two sides.
TEST(BaseLayer, FewColoursIndexedManyWholeAndEitherCopiesExactlyWithItsLetterbox) {
    const scene::Rect inner{20, 9, 97, 61};
    const std::uint32_t letterbox = 0xABCDEF;
    for (unsigned colours : {1u, 256u, 257u, 5000u}) {
        render::PixelImage drawn = noise(inner.width, inner.height, colours, colours);
        render::PixelImage copy = filled(140, 80, letterbox);
        for (int y = 0; y < inner.height; ++y)
            std::copy_n(drawn.row(y), inner.width, copy.view().row(inner.top + y) + inner.left);
        // Kept from an image of its own, and from the same pixels inside a larger frame,
        // which is then drawn over: the copy kept must not change with it.
        render::PixelImage frame = copy;
        const render::PixelView view = frame.view();
        render::BaseLayer layer, from_frame;
        layer.keep(std::move(drawn), inner, letterbox);
        from_frame.keep_copy(view.part(inner), inner, letterbox);
        std::fill_n(view.pixels, 140 * 80, 0x654321u);
        EXPECT_EQ(layer.indexed(), colours <= 256) << colours;
        EXPECT_EQ(from_frame.indexed(), colours <= 256) << colours;
        for (const render::BaseLayer* kept : {&layer, &from_frame})
            for (const scene::Rect area :
                 {scene::Rect{13, 7, 40, 50}, scene::Rect{100, 60, 40, 20}}) {
                render::PixelImage target = filled(140, 80, 0x123456);
                kept->copy_to(target.view(), area);
                const Pixels result = pixels_of(target.view());
                EXPECT_EQ(compare(result, pixels_of(copy.view()), area).count, 0) << colours;
                EXPECT_EQ(result.rgb(area.left - 1, area.top), (scene::Rgb{0x12, 0x34, 0x56}))
                    << "nothing outside the area";
                EXPECT_EQ(result.rgb(area.right() - 1, area.top - 1),
                          (scene::Rgb{0x12, 0x34, 0x56}));
            }
    }
}

}  // namespace
}  // namespace bolvenda::testing
