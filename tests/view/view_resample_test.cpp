// Scaling in premultiplied alpha: no colour of transparent pixels bleeds in, edges are
// filtered rather than stepped, and the embedded pictures decode with their transparency.
#include <gtest/gtest.h>

// A second, independent resampler to hold ours against: stb_image_resize, in floating point.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wunused-function"
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#pragma GCC diagnostic ignored "-Wsign-compare"
#pragma GCC diagnostic ignored "-Wunused-parameter"
#pragma GCC diagnostic ignored "-Wdouble-promotion"
#pragma GCC diagnostic ignored "-Wconversion"
#pragma GCC diagnostic ignored "-Wsign-conversion"
#pragma GCC diagnostic ignored "-Wold-style-cast"
#pragma GCC diagnostic ignored "-Wcast-align"
#pragma GCC diagnostic ignored "-Wuseless-cast"
#define STB_IMAGE_RESIZE_IMPLEMENTATION
#define STB_IMAGE_RESIZE_STATIC
#include <stb/stb_image_resize.h>
#pragma GCC diagnostic pop

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "render/premultiplied_image.hpp"
#include "render/startup_error.hpp"
#include "scene/assets/assets.hpp"
#include "scene/layout.hpp"

namespace bolvenda::render {
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

// The same filters (Catmull-Rom up, Mitchell down), the same centres and clamped edges: within
// a level or two of stb_image_resize's floating point, on every picture, at sizes from a
// tenth to three times its own, and on a region of the pond as the base layer takes it. (An
// axis that keeps its size stays sharp in ours, where stb softens it: no size here does.)
TEST(Resample, AgreesWithAFloatingPointResampler) {
    auto reference = [](const PremultipliedImage& in, scene::Rect r, int w, int h) {
        std::vector<std::uint32_t> out(static_cast<std::size_t>(w) * h);
        stbir_resize_region(in.pixels.data(), in.width, in.height, in.width * 4, out.data(), w, h,
                            w * 4, STBIR_TYPE_UINT8, 4, 3, STBIR_FLAG_ALPHA_PREMULTIPLIED,
                            STBIR_EDGE_CLAMP, STBIR_EDGE_CLAMP, STBIR_FILTER_DEFAULT,
                            STBIR_FILTER_DEFAULT, STBIR_COLORSPACE_LINEAR, nullptr,
                            float(r.left) / in.width, float(r.top) / in.height,
                            float(r.right()) / in.width, float(r.bottom()) / in.height);
        for (std::uint32_t& p : out) {
            const std::uint32_t a = p >> 24;
            p = a << 24 | std::min((p >> 16) & 0xFF, a) << 16 | std::min((p >> 8) & 0xFF, a) << 8 |
                std::min(p & 0xFF, a);
        }
        return out;
    };
    auto worst = [](const std::vector<std::uint32_t>& a, const std::uint32_t* b) {
        int most = 0;
        for (std::size_t i = 0; i < a.size(); ++i)
            for (int shift = 0; shift < 32; shift += 8)
                most =
                    std::max(most, std::abs(int(a[i] >> shift & 0xFF) - int(b[i] >> shift & 0xFF)));
        return most;
    };
    for (const scene::PictureRow& row : scene::picture_table) {
        const std::string name(row.stored);
        const PremultipliedImage picture = decode_picture(assets::asset(name), name.c_str());
        for (auto [sw, sh] :
             {std::pair{0.1, 0.13}, {0.45, 0.5}, {0.9, 0.95}, {1.6, 1.25}, {3.0, 2.2}}) {
            const int w = std::max(1, int(picture.width * sw)),
                      h = std::max(1, int(picture.height * sh));
            const PremultipliedImage ours = resample(picture, w, h);
            EXPECT_LE(worst(reference(picture, {0, 0, picture.width, picture.height}, w, h),
                            ours.pixels.data()),
                      2)
                << name << " at " << w << "x" << h;
        }
    }
    const PremultipliedImage pond = decode_picture(assets::asset("pond.gif"), "pond.gif");
    const scene::Rect region{0, 0, 792, 566};
    for (auto [w, h] : {std::pair{1188, 849}, {530, 379}}) {
        std::vector<std::uint32_t> ours(static_cast<std::size_t>(w) * h);
        resample_into(pond, region, ours.data(), w, h, static_cast<std::size_t>(w));
        EXPECT_LE(worst(reference(pond, region, w, h), ours.data()), 2) << w << "x" << h;
    }
}

TEST(Resample, SameSizeIsACopy) {
    PremultipliedImage disc = red_disc(37);
    EXPECT_EQ(resample(disc, 37, 37).pixels, disc.pixels);
}

TEST(Decode, EmbeddedPicturesKeepTheirTransparency) {
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
}  // namespace bolvenda::render
