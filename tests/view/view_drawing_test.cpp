// Above the design size the pictures come from their drawings: each, as the window shows it
// at twice and four times the design, is as sharp as librsvg's rendering of its drawing at
// that size, where the stored picture stretched is not; the pond too, drawn into the window.
#include <gtest/gtest.h>

#include <string>

#include "render/drawing.hpp"
#include "render/picture_set.hpp"
#include "render/startup_error.hpp"
#include "scene/assets/assets.hpp"
#include "scene/picture_table.hpp"
#include "tests/support/driver.hpp"
#include "tests/support/offscreen.hpp"
#include "tests/support/pixels.hpp"
#ifdef BOLVENDA_ART_DIR
#include "tools/assets/raster.hpp"
#endif

namespace bolvenda::render {
namespace {

constexpr std::uint32_t water = 0x2A9FAA;

// A premultiplied picture over the water.
testing::Pixels on_water(const PremultipliedImage& image) {
    testing::Pixels out{image.width, image.height, {}};
    for (std::uint32_t p : image.pixels) {
        const std::uint32_t keep = 255 - (p >> 24);
        std::uint32_t rgb = 0;
        for (int shift = 0; shift < 24; shift += 8)
            rgb |= ((p >> shift & 0xFF) + ((water >> shift & 0xFF) * keep + 127) / 255) << shift;
        out.data.push_back(rgb);
    }
    return out;
}

#ifdef BOLVENDA_ART_DIR
testing::Pixels librsvg(std::string_view drawing, int width, int height) {
    const tools::Raster r = tools::render_svg(
        std::string(BOLVENDA_ART_DIR) + "/" + std::string(drawing), width, height);
    PremultipliedImage image{width, height, {}};
    for (const tools::Rgba& p : r.pixels)
        image.pixels.push_back(premultiply(std::uint32_t{p.a} << 24 | std::uint32_t{p.r} << 16 |
                                           std::uint32_t{p.g} << 8 | p.b));
    return on_water(image);
}
#endif

TEST(Drawing, EveryPictureAtTwiceAndFourTimesIsAsSharpAsItsDrawing) {
#ifndef BOLVENDA_ART_DIR
    GTEST_SKIP() << "librsvg not installed";
#else
    PictureSet drawn, stretched;  // stretched: the stored pictures, as at the design size
    for (int scale : {2, 4}) {
        drawn.use_scale(scale);
        for (const scene::PictureRow& row : scene::picture_table) {
            if (row.picture == scene::Picture::Pond) continue;  // below, in the window
            const int w = row.shown_width * scale, h = row.shown_height * scale;
            const testing::Pixels reference = librsvg(row.drawing, w, h);
            const auto ours = testing::edge_difference(on_water(drawn.sized(row.picture, w, h)),
                                                       reference, {0, 0, w, h});
            const auto soft = testing::edge_difference(on_water(stretched.sized(row.picture, w, h)),
                                                       reference, {0, 0, w, h});
            ASSERT_TRUE(ours && soft) << row.drawing;
            EXPECT_LT(*ours, 4.0) << row.drawing << " at " << scale << "x";
            // Where the stored picture is smaller than shown, stretching it goes soft.
            if (row.width < w && row.height < h) {
                EXPECT_LT(*ours, *soft / 2) << row.drawing << " at " << scale << "x";
            }
        }
    }
#endif
}

TEST(Drawing, ThePondAtTwiceTheDesignIsItsDrawing) {
#ifndef BOLVENDA_ART_DIR
    GTEST_SKIP() << "librsvg not installed";
#else
    testing::Offscreen offscreen;
    testing::Driver game;
    const testing::Pixels window = offscreen.render(game.scene(), 2 * 792, 2 * 566);
    const scene::PictureRow& pond = scene::row_of(scene::Picture::Pond);
    const testing::Pixels whole = librsvg(pond.drawing, 2 * pond.width, 2 * pond.height);
    // The window's corner is the pond's; compare a part of it where nothing stands on it
    // (the banks and reeds left of the middle, under the title, above the line).
    testing::Pixels reference = window;
    for (int y = 0; y < window.height; ++y)
        for (int x = 0; x < window.width; ++x)
            reference.data[static_cast<std::size_t>(y) * window.width + x] = whole.at(x, y);
    const auto diff = testing::edge_difference(window, reference, {0, 2 * 130, 2 * 440, 2 * 160});
    ASSERT_TRUE(diff);
    EXPECT_LT(*diff, 4.0);
#endif
}

TEST(Drawing, ADamagedDrawingIsRefusedCleanly) {
    const auto svg = assets::asset("frog.svg");
    ASSERT_FALSE(svg.empty());
    const std::string nothing = "<svg xmlns='http://www.w3.org/2000/svg' width='4' height='4'/>";
    EXPECT_THROW(draw_svg({reinterpret_cast<const unsigned char*>(nothing.data()), nothing.size()},
                          "empty", 8, 8),
                 StartupError);
    EXPECT_THROW(draw_svg({}, "none", 8, 8), StartupError);
    // Cut anywhere, a drawing is refused or drawn at the size asked, never overread.
    for (std::size_t length = 0; length < svg.size(); length += 97) {
        try {
            const PremultipliedImage image = draw_svg(svg.first(length), "cut", 20, 40);
            EXPECT_EQ(image.pixels.size(), 20u * 40u);
        } catch (const StartupError&) {
        }
    }
}

}  // namespace
}  // namespace bolvenda::render
