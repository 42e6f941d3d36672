// Every picture is a plain one-frame GIF89a with its transparency in the one graphic
// control extension, at the size and transparent index the window expects.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

#include "tests/assets/asset_files.hpp"

namespace bolvenda::test {
namespace {

const GifColour white{255, 255, 255};

class Picture : public ::testing::TestWithParam<PictureFacts> {};

TEST_P(Picture, IsOneStillFrameWithAFullGlobalPalette) {
    const PictureFacts& f = GetParam();
    const GifFile gif = read_gif(committed(f.name));
    EXPECT_EQ(gif.signature, "GIF89a");
    EXPECT_EQ(gif.screen_width, f.width);
    EXPECT_EQ(gif.screen_height, f.height);
    EXPECT_TRUE(gif.global_palette);
    EXPECT_EQ(gif.palette_size_field, 7);
    EXPECT_EQ(gif.palette.size(), 256u);
    ASSERT_EQ(gif.images.size(), 1u);
    const GifImage& image = gif.images[0];
    EXPECT_EQ(image.left, 0);
    EXPECT_EQ(image.top, 0);
    EXPECT_EQ(image.width, f.width);
    EXPECT_EQ(image.height, f.height);
    EXPECT_FALSE(image.interlaced);
    EXPECT_FALSE(image.local_palette);
    EXPECT_TRUE(gif.trailer);
    EXPECT_EQ(gif.bytes_after_trailer, 0u);
}

TEST_P(Picture, HasOnlyOneGraphicControlExtensionWithTheTransparentIndex) {
    const PictureFacts& f = GetParam();
    const GifFile gif = read_gif(committed(f.name));
    ASSERT_EQ(gif.extensions.size(), 1u) << "no comment, no loop extension";
    const GifExtension& gce = gif.extensions[0];
    EXPECT_EQ(gce.label, 0xF9);
    ASSERT_EQ(gce.block_sizes, std::vector<int>{4});
    EXPECT_EQ(gce.data[0], 0x01) << "transparency flag only: no disposal, no user input";
    EXPECT_EQ(gce.data[1] | gce.data[2] << 8, 0) << "delay";
    EXPECT_EQ(gce.data[3], f.transparent_index);
    EXPECT_EQ(gif.palette.at(static_cast<std::size_t>(f.transparent_index)), f.transparent_colour);
}

TEST_P(Picture, KeepsItsOpaquePixelsOffTheTransparentColour) {
    const PictureFacts& f = GetParam();
    const GifFile gif = read_gif(committed(f.name));
    ASSERT_EQ(gif.images.size(), 1u);
    std::size_t clear = 0, white_opaque = 0;
    for (std::uint8_t index : gif.images[0].pixels) {
        if (index == f.transparent_index)
            ++clear;
        else if (gif.palette[index] == f.transparent_colour || gif.palette[index] == white)
            ++white_opaque;
    }
    EXPECT_EQ(white_opaque, 0u) << "white details must be off-white to stay opaque";
    const double share = static_cast<double>(clear) / gif.images[0].pixels.size();
    if (f.transparent_share) {
        EXPECT_NEAR(share, *f.transparent_share, 0.15);
    }
}

INSTANTIATE_TEST_SUITE_P(Assets, Picture, ::testing::ValuesIn(picture_facts()),
                         [](const auto& info) {
                             std::string n = info.param.name;
                             return n.substr(0, n.find('.'));
                         });

GifColour colour_at(const GifFile& gif, int x, int y) {
    const GifImage& im = gif.images.at(0);
    return gif.palette[im.pixels[static_cast<std::size_t>(y) * im.width + x]];
}

TEST(Pond, IsWhollyDrawnWithSkyAboveAndEvenWaterBelow) {
    const GifFile gif = read_gif(committed("pond.gif"));
    ASSERT_EQ(gif.images.size(), 1u);
    for (int y = 0; y < 600; ++y)
        for (int x = 0; x < 800; ++x) {
            const GifColour c = colour_at(gif, x, y);
            if (y < 150) {
                ASSERT_EQ(c, (GifColour{0x7F, 0xFF, 0xFF})) << x << "," << y;
            }
            if (y >= 384) {
                ASSERT_EQ(c, (GifColour{0x2A, 0x9F, 0xAA})) << x << "," << y;
            }
        }
}

std::vector<bool> opaque(const std::string& name) {
    const GifFile gif = read_gif(committed(name));
    const int t = gif.extensions.at(0).data.at(3);
    std::vector<bool> out;
    for (std::uint8_t i : gif.images.at(0).pixels) out.push_back(i != t);
    return out;
}

TEST(Faces, SadAndHappyTogetherHideTheWaitingFace) {
    const auto waiting = opaque("face_waiting.gif"), sad = opaque("face_sad.gif"),
               happy = opaque("face_happy.gif");
    ASSERT_EQ(waiting.size(), 64u * 37u);
    int uncovered = 0;
    for (std::size_t i = 0; i < waiting.size(); ++i)
        if (waiting[i] && !sad[i] && !happy[i]) ++uncovered;
    EXPECT_LE(uncovered, 2);
}

TEST(Faces, HaveTheirEyesAtTheSamePixels) {
    const GifFile waiting = read_gif(committed("face_waiting.gif"));
    for (const char* other : {"face_sad.gif", "face_happy.gif"}) {
        const GifFile face = read_gif(committed(other));
        // The eyes fill the top of the head; the mouths lie well below row 18.
        for (int y = 0; y < 18; ++y)
            for (int x = 0; x < 64; ++x) {
                const GifColour a = colour_at(waiting, x, y), b = colour_at(face, x, y);
                ASSERT_LE(std::abs(a.r - b.r) + std::abs(a.g - b.g) + std::abs(a.b - b.b), 24)
                    << other << " at " << x << "," << y;
            }
    }
}

bool in_bar(int x, int y) {
    return x >= 7 && x <= 43 && ((y >= 7 && y <= 16) || (y >= 27 && y <= 36));
}

TEST(Signs, EqualsIsExactlyTheTwoBars) {
    const auto px = opaque("equals.gif");
    for (int y = 0; y < 47; ++y)
        for (int x = 0; x < 54; ++x)
            ASSERT_EQ(px[static_cast<std::size_t>(y) * 54 + x], in_bar(x, y)) << x << "," << y;
}

TEST(Signs, NotEqualKeepsTheBarsAndRisesToTheRightOverTheFullHeight) {
    const auto px = opaque("not_equal.gif");
    auto at = [&px](int x, int y) { return px[static_cast<std::size_t>(y) * 54 + x]; };
    for (int y = 0; y < 47; ++y)
        for (int x = 0; x < 54; ++x)
            if (in_bar(x, y)) {
                ASSERT_TRUE(at(x, y)) << x << "," << y;
            }
    auto mean_x = [&at](int y) {
        int sum = 0, n = 0;
        for (int x = 0; x < 54; ++x)
            if (at(x, y)) sum += x, ++n;
        return n ? static_cast<double>(sum) / n : -1.0;
    };
    const double top = mean_x(0), bottom = mean_x(46);
    ASSERT_GE(top, 0) << "the stroke reaches the top row";
    ASSERT_GE(bottom, 0) << "the stroke reaches the bottom row";
    EXPECT_GT(top, bottom + 10);
}

TEST(Signs, AreBlackOnly) {
    for (const char* name : {"equals.gif", "not_equal.gif"}) {
        const GifFile gif = read_gif(committed(name));
        for (std::uint8_t i : gif.images.at(0).pixels)
            if (i != 15) {
                ASSERT_EQ(gif.palette[i], (GifColour{0, 0, 0})) << name;
            }
    }
}

}  // namespace
}  // namespace bolvenda::test
