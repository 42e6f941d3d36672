// The decoders the window uses read every embedded picture, the pointer and the icon, and
// refuse damaged copies cleanly.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "scene/assets/assets.hpp"
#include "scene/assets/icon_file.hpp"
#include "scene/picture_table.hpp"
#include "scene/view/premultiplied_image.hpp"
#include "scene/view/startup_error.hpp"
#include "tests/assets/gif_file.hpp"

namespace bolvenda::test {
namespace {

using view::decode_picture;

TEST(Decode, EveryPictureAtItsSize) {
    for (const scene::PictureRow& row : scene::picture_table) {
        const std::string name(row.stored);
        const view::PremultipliedImage image = decode_picture(assets::asset(name), name.c_str());
        EXPECT_EQ(image.width, row.width) << name;
        EXPECT_EQ(image.height, row.height) << name;
    }
}

// Each pixel is its colour in the global palette, or 0 where it is the transparent index.
TEST(Decode, EveryPictureAgreesWithTheTestsOwnReader) {
    for (const scene::PictureRow& row : scene::picture_table) {
        const std::string name(row.stored);
        const auto bytes = assets::asset(name);
        const GifFile gif = read_gif({bytes.begin(), bytes.end()});
        ASSERT_EQ(gif.extensions.at(0).label, 0xF9) << name;
        const int transparent = gif.extensions[0].data.at(3);
        const view::PremultipliedImage image = decode_picture(bytes, name.c_str());
        ASSERT_EQ(image.pixels.size(), gif.images.at(0).pixels.size()) << name;
        for (std::size_t i = 0; i < image.pixels.size(); ++i) {
            const int index = gif.images[0].pixels[i];
            const GifColour c = gif.palette.at(static_cast<std::size_t>(index));
            const std::uint32_t want =
                index == transparent ? 0u : 0xFF000000u | c.r << 16 | c.g << 8 | c.b;
            ASSERT_EQ(image.pixels[i], want) << name << " pixel " << i;
        }
    }
}

// A GIF with what the game's pictures lack: an interlaced image, smaller than the screen and
// off its corner, with colours of its own. Uncompressed LZW: literal codes in pairs, each pair
// after a clear code, so that every code stays 3 bits wide.
TEST(Decode, InterlacedImageOffTheCornerWithItsOwnColours) {
    const int w = 4, h = 10, left = 1, top = 2;
    std::vector<unsigned char> gif = {'G',  'I', 'F', '8', '9', 'a', 6, 0, 13,         0,
                                      0x80, 0,   0,   9,   9,   9,   9, 9, 9,          0x2C,
                                      left, 0,   top, 0,   w,   0,   h, 0, 0x40 | 0x81};
    const std::uint32_t colours[4] = {0xFF102030u, 0xFF405060u, 0xFF708090u, 0xFFA0B0C0u};
    for (std::uint32_t c : colours)
        gif.insert(gif.end(), {static_cast<unsigned char>(c >> 16),
                               static_cast<unsigned char>(c >> 8), static_cast<unsigned char>(c)});
    const int rows[h] = {0, 8, 4, 2, 6, 1, 3, 5, 7, 9};  // in the order they are stored
    std::vector<int> codes;
    for (int row : rows)
        for (int x = 0; x < w; ++x) {
            if (x % 2 == 0) codes.push_back(4);  // clear
            codes.push_back((row + x) % 4);
        }
    codes.push_back(5);  // end
    std::vector<unsigned char> lzw((codes.size() * 3 + 7) / 8);
    for (std::size_t i = 0; i < codes.size(); ++i)
        for (std::size_t b = 0; b < 3; ++b)
            lzw[(3 * i + b) / 8] |=
                static_cast<unsigned char>((codes[i] >> b & 1) << (3 * i + b) % 8);
    gif.insert(gif.end(), {2, static_cast<unsigned char>(lzw.size())});
    gif.insert(gif.end(), lzw.begin(), lzw.end());
    gif.insert(gif.end(), {0, 0x3B});
    const view::PremultipliedImage image = decode_picture(gif, "interlaced");
    ASSERT_EQ(image.width, 6);
    ASSERT_EQ(image.height, 13);
    for (int y = 0; y < 13; ++y)
        for (int x = 0; x < 6; ++x) {
            const bool inside = x >= left && x < left + w && y >= top && y < top + h;
            EXPECT_EQ(image.at(x, y), inside ? colours[(y - top + x - left) % 4] : 0u)
                << x << "," << y;
        }
}

TEST(Decode, CutOrMangledPicturesFailCleanly) {
    const auto whole = assets::asset("frog.gif");
    // Cut anywhere, the file is refused: no picture with made-up rows.
    for (std::size_t length = 0; length < whole.size(); ++length) {
        std::vector<unsigned char> cut(whole.begin(),
                                       whole.begin() + static_cast<std::ptrdiff_t>(length));
        EXPECT_THROW(decode_picture(cut, "cut"), view::StartupError) << "cut at " << length;
    }
    // Bytes changed at random: refused or decoded at a sane size, never a crash (the sanitizer
    // run watches the reads).
    std::mt19937 random(20261209);
    for (int trial = 0; trial < 300; ++trial) {
        std::vector<unsigned char> mangled(whole.begin(), whole.end());
        for (int k = 0; k < 1 + trial % 8; ++k)
            mangled[random() % mangled.size()] = static_cast<unsigned char>(random());
        try {
            const view::PremultipliedImage image = decode_picture(mangled, "mangled");
            EXPECT_EQ(image.pixels.size(), static_cast<std::size_t>(image.width) * image.height);
            EXPECT_LE(image.width, 4096);
        } catch (const view::StartupError&) {
        }
    }
}

TEST(Decode, HandPointerWithItsHotSpotAndTheLargestIcon) {
    const auto hand = assets::read_icon_file(assets::asset("hand.cur"));
    ASSERT_TRUE(hand);
    EXPECT_EQ(hand->width, 32);
    EXPECT_EQ(hand->height, 32);
    EXPECT_EQ(hand->hot_x, 12);
    EXPECT_EQ(hand->hot_y, 1);
    EXPECT_NE(hand->argb[1 * 32 + 12] >> 24, 0u) << "the fingertip is drawn";
    EXPECT_EQ(hand->argb[0] >> 24, 0u) << "the corner is clear";

    const auto icon = assets::read_icon_file(assets::asset("bolvenda.ico"));
    ASSERT_TRUE(icon);
    EXPECT_EQ(icon->width, 32);
    EXPECT_EQ(icon->height, 32);
    EXPECT_EQ(icon->hot_x, 0);
    std::vector<std::uint32_t> seen;
    for (std::uint32_t p : icon->argb)
        if (p >> 24 != 0 && std::find(seen.begin(), seen.end(), p) == seen.end()) seen.push_back(p);
    EXPECT_GT(seen.size(), 2u) << "the 16-colour image, not the 2-colour one";
}

TEST(Decode, CutOrMangledIconsGiveNothingOrAnImage) {
    const auto whole = assets::asset("bolvenda.ico");
    for (std::size_t length = 0; length < whole.size(); ++length) {
        std::span<const unsigned char> cut = whole.first(length);
        // A cut inside the last image still leaves the earlier ones readable.
        if (auto image = assets::read_icon_file(cut)) {
            EXPECT_EQ(image->argb.size(), std::size_t(image->width) * image->height);
        }
    }
    EXPECT_FALSE(assets::read_icon_file(whole.first(6)));
    std::mt19937 random(7);
    for (int trial = 0; trial < 500; ++trial) {
        std::vector<unsigned char> mangled(whole.begin(), whole.end());
        for (int k = 0; k < 1 + trial % 6; ++k)
            mangled[random() % mangled.size()] = static_cast<unsigned char>(random());
        if (auto image = assets::read_icon_file(mangled)) {
            EXPECT_LE(image->width, 1024);
            EXPECT_EQ(image->argb.size(), std::size_t(image->width) * image->height);
        }
    }
}

}  // namespace
}  // namespace bolvenda::test
