// Every picture is a plain one-frame GIF89a with its transparency in the one graphic
// control extension, at the size and transparent index the window expects.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <string>

#include "tests/assets/asset_files.hpp"

namespace bolvenda::test {
namespace {

const GifColour white{255, 255, 255};

class Picture : public ::testing::TestWithParam<PictureFacts> {};

TEST_P(Picture, IsOneStillFrameWithAFullGlobalPalette) {
    const PictureFacts& f = GetParam();
    const auto bytes = committed(f.name);
    const Gif gif = read_gif(bytes);
    EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 6), "GIF89a");
    EXPECT_EQ(gif.file->SWidth, f.width);
    EXPECT_EQ(gif.file->SHeight, f.height);
    ASSERT_NE(gif.file->SColorMap, nullptr) << "a global palette";
    EXPECT_EQ(gif.file->SColorMap->BitsPerPixel, 8);
    EXPECT_EQ(gif.file->SColorMap->ColorCount, 256);
    ASSERT_EQ(gif.file->ImageCount, 1);
    const GifImageDesc& image = gif.image().ImageDesc;
    EXPECT_EQ(image.Left, 0);
    EXPECT_EQ(image.Top, 0);
    EXPECT_EQ(image.Width, f.width);
    EXPECT_EQ(image.Height, f.height);
    EXPECT_FALSE(image.Interlace);
    EXPECT_EQ(image.ColorMap, nullptr) << "no palette of its own";
    EXPECT_EQ(gif.bytes_read, bytes.size()) << "nothing after the trailer";
}

TEST_P(Picture, HasOnlyOneGraphicControlExtensionWithTheTransparentIndex) {
    const PictureFacts& f = GetParam();
    const Gif gif = read_gif(committed(f.name));
    // giflib keeps each sub-block as a block of its own: one block is one extension of one.
    ASSERT_EQ(gif.image().ExtensionBlockCount, 1) << "no comment, no loop extension";
    EXPECT_EQ(gif.file->ExtensionBlockCount, 0) << "nothing after the image";
    const ExtensionBlock& gce = gif.image().ExtensionBlocks[0];
    EXPECT_EQ(gce.Function, GRAPHICS_EXT_FUNC_CODE);
    ASSERT_EQ(gce.ByteCount, 4);
    EXPECT_EQ(gce.Bytes[0], 0x01) << "transparency flag only: no disposal, no user input";
    EXPECT_EQ(gce.Bytes[1] | gce.Bytes[2] << 8, 0) << "delay";
    EXPECT_EQ(gce.Bytes[3], f.transparent_index);
    EXPECT_EQ(gif.colour(f.transparent_index), f.transparent_colour);
}

TEST_P(Picture, KeepsItsOpaquePixelsOffTheTransparentColour) {
    const PictureFacts& f = GetParam();
    const Gif gif = read_gif(committed(f.name));
    std::size_t clear = 0, white_opaque = 0;
    for (int y = 0; y < f.height; ++y)
        for (int x = 0; x < f.width; ++x) {
            if (gif.index_at(x, y) == f.transparent_index)
                ++clear;
            else if (gif.at(x, y) == f.transparent_colour || gif.at(x, y) == white)
                ++white_opaque;
        }
    EXPECT_EQ(white_opaque, 0u) << "white details must be off-white to stay opaque";
    const double share = static_cast<double>(clear) / (f.width * f.height);
    if (f.transparent_share) {
        EXPECT_NEAR(share, *f.transparent_share, 0.15);
    }
}

INSTANTIATE_TEST_SUITE_P(Assets, Picture, ::testing::ValuesIn(picture_facts()),
                         [](const auto& info) {
                             std::string n = info.param.name;
                             return n.substr(0, n.find('.'));
                         });

TEST(Pond, IsWhollyDrawnWithSkyAboveAndEvenWaterBelow) {
    const Gif gif = read_gif(committed("pond.gif"));
    for (int y = 0; y < 600; ++y)
        for (int x = 0; x < 800; ++x) {
            const GifColour c = gif.at(x, y);
            if (y < 150) {
                ASSERT_EQ(c, (GifColour{0x7F, 0xFF, 0xFF})) << x << "," << y;
            }
            if (y >= 384) {
                ASSERT_EQ(c, (GifColour{0x2A, 0x9F, 0xAA})) << x << "," << y;
            }
        }
}

std::vector<bool> opaque(const std::string& name) {
    const Gif gif = read_gif(committed(name));
    GraphicsControlBlock gcb{};
    EXPECT_EQ(DGifSavedExtensionToGCB(gif.file.get(), 0, &gcb), GIF_OK) << name;
    std::vector<bool> out;
    for (int y = 0; y < gif.file->SHeight; ++y)
        for (int x = 0; x < gif.file->SWidth; ++x)
            out.push_back(gif.index_at(x, y) != gcb.TransparentColor);
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
    const Gif waiting = read_gif(committed("face_waiting.gif"));
    for (const char* other : {"face_sad.gif", "face_happy.gif"}) {
        const Gif face = read_gif(committed(other));
        // The eyes fill the top of the head; the mouths lie well below row 18.
        for (int y = 0; y < 18; ++y)
            for (int x = 0; x < 64; ++x) {
                const GifColour a = waiting.at(x, y), b = face.at(x, y);
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
        const Gif gif = read_gif(committed(name));
        for (int y = 0; y < 47; ++y)
            for (int x = 0; x < 54; ++x)
                if (gif.index_at(x, y) != 15) {
                    ASSERT_EQ(gif.at(x, y), (GifColour{0, 0, 0})) << name;
                }
    }
}

}  // namespace
}  // namespace bolvenda::test
