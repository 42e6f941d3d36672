// Scaling in premultiplied alpha: no colour of transparent pixels bleeds in, edges are
// filtered rather than stepped, and the embedded pictures decode with their transparency.
#include <gtest/gtest.h>

#include "scene/assets/assets.hpp"
#include "scene/layout.hpp"
#include "scene/view/premultiplied_image.hpp"
#include "scene/view/sdl_library.hpp"
#include "scene/view/startup_error.hpp"

namespace bolvenda::view {
namespace {

// A red disc on transparent white, as the pictures are drawn.
PremultipliedImage red_disc(int size) {
    PremultipliedImage image{size, size, {}};
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            int dx = 2 * x + 1 - size, dy = 2 * y + 1 - size;
            bool in = dx * dx + dy * dy < size * size * 3 / 4;
            image.pixels.push_back(in ? 0xFFFF0000u : 0x00000000u);
        }
    return image;
}

TEST(Resample, NoFringeOfTheTransparentColour) {
    for (auto [w, h] : {std::pair{40, 49}, {80, 163}, {23, 9}, {300, 300}}) {
        PremultipliedImage out = resample(red_disc(200), w, h);
        ASSERT_EQ(out.width, w);
        ASSERT_EQ(out.height, h);
        int partial = 0;
        for (std::uint32_t p : out.pixels) {
            std::uint32_t a = p >> 24, r = (p >> 16) & 0xFF;
            EXPECT_EQ(p & 0xFFFF, 0u) << "green or blue crept into a red edge";
            EXPECT_LE(r, a) << "colour beyond its alpha";
            partial += a > 0 && a < 255;
        }
        EXPECT_GT(partial, 0) << "the edge is filtered, not stepped (" << w << "x" << h << ")";
    }
}

TEST(Resample, SameSizeIsACopy) {
    PremultipliedImage disc = red_disc(37);
    EXPECT_EQ(resample(disc, 37, 37).pixels, disc.pixels);
}

TEST(Decode, EmbeddedPicturesKeepTheirTransparency) {
    SdlLibrary sdl(false);
    for (auto picture : {scene::Picture::Frog, scene::Picture::Fly, scene::Picture::Equals}) {
        std::string name(scene::asset_name(picture));
        PremultipliedImage image = decode_picture(assets::asset(name), name.c_str());
        int clear = 0;
        for (std::uint32_t p : image.pixels) {
            std::uint32_t a = p >> 24;
            EXPECT_TRUE(a == 0 || a == 255) << name << ": a GIF pixel is drawn or not";
            if (a == 0) {
                EXPECT_EQ(p, 0u) << name << ": the transparent colour is gone";
            }
            clear += a == 0;
        }
        EXPECT_GT(clear, static_cast<int>(image.pixels.size()) / 3) << name;
    }
    const unsigned char junk[] = {'G', 'I', 'F', '8', '9', 'a', 0, 1};
    EXPECT_THROW(decode_picture(junk, "junk"), StartupError);
    EXPECT_THROW(decode_picture({}, "nothing"), StartupError);
}

}  // namespace
}  // namespace bolvenda::view
