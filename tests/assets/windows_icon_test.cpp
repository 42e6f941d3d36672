// The hand pointer and the window icon: the committed files' directories and headers field by
// field, their pixels as the game reads them.
#include <gtest/gtest.h>

#include "scene/assets/icon_file.hpp"
#include "tests/assets/asset_files.hpp"

namespace bolvenda::test {
namespace {

unsigned u16(const std::vector<std::uint8_t>& b, std::size_t at) {
    return b.at(at) | b.at(at + 1) << 8;
}
unsigned u32(const std::vector<std::uint8_t>& b, std::size_t at) {
    return u16(b, at) | u16(b, at + 2) << 16;
}

// One BITMAPINFOHEADER image as every Windows version reads it: uncompressed, one plane, its
// height counting the mask, the palette of its depth, and nothing past its AND mask.
void expect_plain_dib(const std::vector<std::uint8_t>& b, std::size_t at, std::size_t length,
                      const assets::IconImage& image, const std::vector<std::uint32_t>& palette) {
    EXPECT_EQ(u32(b, at), 40u);
    EXPECT_EQ(u32(b, at + 4), static_cast<unsigned>(image.width));
    EXPECT_EQ(u32(b, at + 8), static_cast<unsigned>(2 * image.height)) << "height counts the mask";
    EXPECT_EQ(u16(b, at + 12), 1u) << "planes";
    EXPECT_EQ(u32(b, at + 16), 0u) << "uncompressed";
    ASSERT_EQ(palette.size(), std::size_t{1} << image.bits);
    for (std::size_t i = 0; i < palette.size(); ++i) {
        const std::size_t c = at + 40 + 4 * i;
        EXPECT_EQ(u32(b, c) & 0xFFFFFF, palette[i]) << "colour " << i;
    }
    const auto xor_row = static_cast<std::size_t>(image.width * image.bits + 31) / 32 * 4;
    const auto and_row = static_cast<std::size_t>(image.width + 31) / 32 * 4;
    EXPECT_EQ(
        40 + 4 * palette.size() + (xor_row + and_row) * static_cast<std::size_t>(image.height),
        length);
}

const std::vector<std::uint32_t> standard16{
    0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080, 0xC0C0C0,
    0x808080, 0xFF0000, 0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};

bool opaque_at(const assets::IconImage& d, int x, int y) {
    return d.argb[static_cast<std::size_t>(y) * d.width + x] >> 24 != 0;
}
std::uint32_t colour_at(const assets::IconImage& d, int x, int y) {
    return d.argb[static_cast<std::size_t>(y) * d.width + x] & 0xFFFFFF;
}

TEST(HandPointer, IsOne32x32CursorIn16ColoursWithItsHotSpotOnTheFingertip) {
    const auto b = committed("hand.cur");
    ASSERT_EQ(b.size(), 766u);
    EXPECT_EQ(u16(b, 0), 0u);
    EXPECT_EQ(u16(b, 2), 2u) << "cursor";
    ASSERT_EQ(u16(b, 4), 1u);
    EXPECT_EQ(b[6], 32);
    EXPECT_EQ(b[7], 32);
    EXPECT_EQ(b[8], 16);
    EXPECT_EQ(u16(b, 10), 12u) << "hot spot x";
    EXPECT_EQ(u16(b, 12), 1u) << "hot spot y";
    ASSERT_EQ(u32(b, 18), 22u);
    ASSERT_EQ(u32(b, 14), 766u - 22u);
    const auto images = assets::read_icon_images(b);
    ASSERT_EQ(images.size(), 1u);
    const assets::IconImage& d = images[0];
    EXPECT_EQ(d.width, 32);
    EXPECT_EQ(d.height, 32);
    EXPECT_EQ(d.bits, 4);
    expect_plain_dib(b, 22, 744, d, standard16);

    // The fingertip is the topmost part of the hand: nothing above it, the hot spot on it.
    EXPECT_TRUE(opaque_at(d, 12, 1));
    for (int x = 0; x < 32; ++x) EXPECT_FALSE(opaque_at(d, x, 0)) << x;
    EXPECT_FALSE(opaque_at(d, 0, 31));
    EXPECT_FALSE(opaque_at(d, 31, 0));
    int white = 0, navy = 0;
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x)
            if (opaque_at(d, x, y)) {
                white += colour_at(d, x, y) == 0xFFFFFF;
                navy += colour_at(d, x, y) == 0x000080 && y > 20;
            }
    EXPECT_GT(white, 100) << "a white hand";
    EXPECT_GT(navy, 20) << "a dark-blue cuff at the wrist";
}

TEST(WindowIcon, HoldsThreeImagesWithMasks) {
    const auto b = committed("bolvenda.ico");
    EXPECT_EQ(u16(b, 0), 0u);
    EXPECT_EQ(u16(b, 2), 1u) << "icon";
    ASSERT_EQ(u16(b, 4), 3u);
    struct Want {
        int size, colours, bits;
    };
    const Want want[3] = {{32, 2, 1}, {32, 16, 4}, {16, 16, 4}};
    std::size_t end = 6 + 3 * 16;
    const auto images = assets::read_icon_images(b);
    ASSERT_EQ(images.size(), 3u) << "every image readable";
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        const std::size_t e = 6 + 16 * static_cast<std::size_t>(i);
        EXPECT_EQ(b.at(e), want[i].size);
        EXPECT_EQ(b.at(e + 1), want[i].size);
        EXPECT_EQ(b.at(e + 2), want[i].colours);
        EXPECT_EQ(u16(b, e + 6), static_cast<unsigned>(want[i].bits));
        const std::size_t length = u32(b, e + 8), offset = u32(b, e + 12);
        EXPECT_EQ(offset, end) << "images follow each other";
        end = offset + length;
        const assets::IconImage& d = images[static_cast<std::size_t>(i)];
        EXPECT_EQ(d.width, want[i].size);
        EXPECT_EQ(d.height, want[i].size);
        ASSERT_EQ(d.bits, want[i].bits);
        expect_plain_dib(b, offset, length, d,
                         d.bits == 4 ? standard16 : std::vector<std::uint32_t>{0x000000, 0xFFFFFF});
        int clear = 0, white = 0, cyan = 0;
        for (int y = 0; y < d.height; ++y)
            for (int x = 0; x < d.width; ++x) {
                if (!opaque_at(d, x, y)) {
                    ++clear;
                    continue;
                }
                white += colour_at(d, x, y) == 0xFFFFFF;
                cyan += colour_at(d, x, y) == 0x00FFFF;
            }
        EXPECT_GT(clear, 0) << "the mask cuts the window out";
        EXPECT_GT(white, d.width * d.height / 5) << "a white pane";
        // Two colours show grey and cyan as dot patterns: no solid black patch beyond lines.
        int black_blocks = 0;
        for (int y = 0; y + 3 < d.height; ++y)
            for (int x = 0; x + 3 < d.width; ++x) {
                bool solid = true;
                for (int dy = 0; dy < 4; ++dy)
                    for (int dx = 0; dx < 4; ++dx)
                        solid = solid && opaque_at(d, x + dx, y + dy) &&
                                colour_at(d, x + dx, y + dy) == 0x000000;
                black_blocks += solid;
            }
        EXPECT_EQ(black_blocks, 0) << "a solid black block";
        if (d.bits == 4) {
            EXPECT_GT(cyan, 0) << "a cyan title bar";
        }
    }
    EXPECT_EQ(end, b.size());
}

}  // namespace
}  // namespace bolvenda::test
