// The decoders the window uses read every embedded picture, the pointer and the icon, and
// refuse damaged copies cleanly.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "render/premultiplied_image.hpp"
#include "render/startup_error.hpp"
#include "scene/assets/assets.hpp"
#include "scene/assets/icon_file.hpp"
#include "scene/picture_table.hpp"
#include "tests/assets/gif_library.hpp"

namespace bolvenda::test {
namespace {

using render::decode_picture;

TEST(Decode, EveryPictureAtItsSize) {
    for (const scene::PictureRow& row : scene::picture_table) {
        const std::string name(row.stored);
        const render::PremultipliedImage image = decode_picture(assets::asset(name), name.c_str());
        EXPECT_EQ(image.width, row.width) << name;
        EXPECT_EQ(image.height, row.height) << name;
    }
}

// Each pixel is its colour in giflib's reading, or 0 where it is the transparent index.
TEST(Decode, EveryPictureAgreesWithGiflib) {
    for (const scene::PictureRow& row : scene::picture_table) {
        const std::string name(row.stored);
        const auto bytes = assets::asset(name);
        const Gif gif = read_gif(bytes);
        GraphicsControlBlock gcb{};
        ASSERT_EQ(DGifSavedExtensionToGCB(gif.file.get(), 0, &gcb), GIF_OK) << name;
        const render::PremultipliedImage image = decode_picture(bytes, name.c_str());
        ASSERT_EQ(image.width, gif.file->SWidth) << name;
        ASSERT_EQ(image.height, gif.file->SHeight) << name;
        for (int y = 0; y < image.height; ++y)
            for (int x = 0; x < image.width; ++x) {
                const GifColour c = gif.at(x, y);
                const std::uint32_t want = gif.index_at(x, y) == gcb.TransparentColor
                                               ? 0u
                                               : 0xFF000000u | c.r << 16 | c.g << 8 | c.b;
                ASSERT_EQ(image.at(x, y), want) << name << " at " << x << "," << y;
            }
    }
}

struct GifWriter {
    void operator()(GifFileType* gif) const { EGifCloseFile(gif, nullptr); }
};
using ColourMap = std::unique_ptr<ColorMapObject, decltype(&GifFreeMapObject)>;

// A GIF with what the game's pictures lack, written by giflib: an interlaced image, smaller
// than the screen and off its corner, with colours of its own.
TEST(Decode, InterlacedImageOffTheCornerWithItsOwnColours) {
    const int w = 4, h = 10, left = 1, top = 2;
    const GifColorType colours[4] = {
        {0x10, 0x20, 0x30}, {0x40, 0x50, 0x60}, {0x70, 0x80, 0x90}, {0xA0, 0xB0, 0xC0}};
    const GifColorType unused[2] = {{9, 9, 9}, {9, 9, 9}};
    const ColourMap screen(GifMakeMapObject(2, unused), GifFreeMapObject);
    const ColourMap own(GifMakeMapObject(4, colours), GifFreeMapObject);
    std::vector<unsigned char> bytes;
    int error = 0;
    std::unique_ptr<GifFileType, GifWriter> out(EGifOpen(
        &bytes,
        [](GifFileType* gif, const GifByteType* data, int length) {
            auto& to = *static_cast<std::vector<unsigned char>*>(gif->UserData);
            to.insert(to.end(), data, data + length);
            return length;
        },
        &error));
    ASSERT_TRUE(out) << GifErrorString(error);
    EGifSetGifVersion(out.get(), true);
    ASSERT_EQ(EGifPutScreenDesc(out.get(), 6, 13, 8, 0, screen.get()), GIF_OK);
    ASSERT_EQ(EGifPutImageDesc(out.get(), left, top, w, h, true, own.get()), GIF_OK);
    for (int row : {0, 8, 4, 2, 6, 1, 3, 5, 7, 9}) {  // in the order they are stored
        GifPixelType line[w];
        for (int x = 0; x < w; ++x) line[x] = static_cast<GifPixelType>((row + x) % 4);
        ASSERT_EQ(EGifPutLine(out.get(), line, w), GIF_OK);
    }
    ASSERT_EQ(EGifCloseFile(out.release(), &error), GIF_OK) << GifErrorString(error);

    const render::PremultipliedImage image = decode_picture(bytes, "interlaced");
    ASSERT_EQ(image.width, 6);
    ASSERT_EQ(image.height, 13);
    for (int y = 0; y < 13; ++y)
        for (int x = 0; x < 6; ++x) {
            const bool inside = x >= left && x < left + w && y >= top && y < top + h;
            std::uint32_t want = 0;  // off the image: the screen's transparent background
            if (inside) {
                const GifColorType& c = colours[(y - top + x - left) % 4];
                want = 0xFF000000u | c.Red << 16 | c.Green << 8 | c.Blue;
            }
            EXPECT_EQ(image.at(x, y), want) << x << "," << y;
        }
}

TEST(Decode, CutOrMangledPicturesFailCleanly) {
    const auto whole = assets::asset("frog.gif");
    // Cut anywhere, the file is refused: no picture with made-up rows.
    for (std::size_t length = 0; length < whole.size(); ++length) {
        std::vector<unsigned char> cut(whole.begin(),
                                       whole.begin() + static_cast<std::ptrdiff_t>(length));
        EXPECT_THROW(decode_picture(cut, "cut"), render::StartupError) << "cut at " << length;
    }
    // Bytes changed at random: refused or decoded at a sane size, never a crash (the sanitizer
    // run watches the reads).
    std::mt19937 random(20261209);
    for (int trial = 0; trial < 300; ++trial) {
        std::vector<unsigned char> mangled(whole.begin(), whole.end());
        for (int k = 0; k < 1 + trial % 8; ++k)
            mangled[random() % mangled.size()] = static_cast<unsigned char>(random());
        try {
            const render::PremultipliedImage image = decode_picture(mangled, "mangled");
            EXPECT_EQ(image.pixels.size(), static_cast<std::size_t>(image.width) * image.height);
            EXPECT_LE(image.width, 4096);
        } catch (const render::StartupError&) {
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
