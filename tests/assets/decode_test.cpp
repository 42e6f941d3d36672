// The decoders the window uses read every embedded picture, the pointer and the icon, and
// refuse damaged copies cleanly.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "scene/assets/assets.hpp"
#include "scene/assets/icon_file.hpp"
#include "scene/view/premultiplied_image.hpp"
#include "scene/view/startup_error.hpp"

namespace bolvenda::test {
namespace {

using view::decode_picture;

TEST(Decode, EveryPictureAtItsSize) {
    struct Want {
        const char* name;
        int w, h;
    };
    for (const Want& p : {Want{"pond.gif", 800, 600},
                          {"frog.gif", 88, 123},
                          {"fly.gif", 200, 185},
                          {"face_waiting.gif", 64, 37},
                          {"face_sad.gif", 64, 37},
                          {"face_happy.gif", 64, 37},
                          {"equals.gif", 54, 47},
                          {"not_equal.gif", 54, 47},
                          {"sleeping_frog.gif", 110, 93}}) {
        const view::PremultipliedImage image = decode_picture(assets::asset(p.name), p.name);
        EXPECT_EQ(image.width, p.w) << p.name;
        EXPECT_EQ(image.height, p.h) << p.name;
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
