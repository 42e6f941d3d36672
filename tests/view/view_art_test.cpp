// The frog and the fly as the child sees them, scaled into their rectangles: the frog pushes
// off from its own tick, the fly hangs over its number, a catch touches and a near miss not.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <utility>
#include <vector>

#include "scene/layout.hpp"
#include "scene/view/picture_set.hpp"
#include "scene/view/sdl_library.hpp"

namespace bolvenda::view {
namespace {

constexpr int frog_w = 80, frog_h = 163, fly_w = 40, fly_h = 49;
// Window x of the tick of n, and of the left edges of the frog and the fly on n.
int tick_x(int n) { return 64 + 32 * n; }
int frog_left(int n) { return 16 + 32 * n; }
int fly_left(int n) { return 72 + 32 * n; }
constexpr int frog_top = 296, fly_top = 280;

class Art : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        sdl = new SdlLibrary(false);
        pictures = new PictureSet;
    }
    static void TearDownTestSuite() {
        delete pictures;
        delete sdl;
    }
    static const PremultipliedImage& frog() {
        return pictures->sized(scene::Picture::Frog, frog_w, frog_h);
    }
    static const PremultipliedImage& fly() {
        return pictures->sized(scene::Picture::Fly, fly_w, fly_h);
    }
    static unsigned alpha(const PremultipliedImage& im, int x, int y) { return im.at(x, y) >> 24; }
    // Alpha-weighted mean of pixel centres' x over rows [top, bottom); -1 if all clear.
    static double mass_x(const PremultipliedImage& im, int top, int bottom) {
        double sum = 0, weight = 0;
        for (int y = top; y < bottom; ++y)
            for (int x = 0; x < im.width; ++x) {
                sum += alpha(im, x, y) * (x + 0.5);
                weight += alpha(im, x, y);
            }
        return weight > 0 ? sum / weight : -1;
    }
    static SdlLibrary* sdl;
    static PictureSet* pictures;
};
SdlLibrary* Art::sdl = nullptr;
PictureSet* Art::pictures = nullptr;

TEST_F(Art, FrogsHindFeetStandOnItsTick) {
    const PremultipliedImage& im = frog();
    // The feet reach the bottom edge, just over the top of the tick.
    int bottom_ink = 0;
    for (int x = 0; x < frog_w; ++x) bottom_ink += alpha(im, x, frog_h - 1) > 128;
    EXPECT_GT(bottom_ink, 3) << "the hind feet reach the bottom edge";
    const double feet = frog_left(0) + mass_x(im, frog_h - 10, frog_h);
    EXPECT_NEAR(feet, tick_x(0), 3.0) << "the hind feet's middle against the tick";
    // Nothing else stands low: the bottom rows hold only the feet, around the tick.
    for (int y = frog_h - 10; y < frog_h; ++y)
        for (int x = 0; x < frog_w; ++x)
            if (alpha(im, x, y) > 128) {
                ASSERT_LE(std::abs(frog_left(0) + x - tick_x(0)), 15) << x << "," << y;
            }
}

TEST_F(Art, FlysMassLeansToItsNumberAndItsLegsHangTowardIt) {
    const PremultipliedImage& im = fly();
    const double whole = fly_left(0) + mass_x(im, 0, fly_h);
    // The rectangle starts 8 px right of the tick and the next tick is 24 px further on:
    // the mass well left of the middle of the rectangle, the legs' tips left of the mass.
    EXPECT_LT(whole - tick_x(0), 23.0) << "mass at " << whole - tick_x(0) << " px from the tick";
    const double legs = fly_left(0) + mass_x(im, fly_h - 6, fly_h);
    ASSERT_GT(legs, 0) << "the legs reach down to the bottom rows";
    EXPECT_LT(legs, whole - 3) << "the legs point down toward the number";
    EXPECT_LT(legs - tick_x(0), 18.0);
}

TEST_F(Art, ACatchHangsAtTheFrontFeetAndANearMissFallsShort) {
    const PremultipliedImage &f = frog(), &m = fly();
    // Opaque pixels the frog on 7 shares with the fly on 7, and the nearest the frog on 6
    // comes to the fly on 7: the fly's rectangle starts 8 px right of that frog's.
    std::vector<std::pair<int, int>> reach;  // the frog's opaque pixels near the top
    for (int fy = 0; fy < 80; ++fy)
        for (int fx = 0; fx < frog_w; ++fx)
            if (alpha(f, fx, fy) > 128) reach.emplace_back(fx, fy);
    int shared = 0;
    double nearest = 1e9;
    for (int my = 0; my < fly_h; ++my)
        for (int mx = 0; mx < fly_w; ++mx) {
            if (alpha(m, mx, my) <= 128) continue;
            const int x = fly_left(7) + mx, y = fly_top + my;
            if (y >= frog_top && x < frog_left(7) + frog_w)
                shared += alpha(f, x - frog_left(7), y - frog_top) > 128;
            for (auto [fx, fy] : reach)
                nearest =
                    std::min(nearest, std::hypot(x - frog_left(6) - fx, y - frog_top - fy));
        }
    EXPECT_GT(shared, 60) << "front feet and head under the fly";
    EXPECT_GE(nearest, 15.0) << "water between the front feet and the fly";
}

}  // namespace
}  // namespace bolvenda::view
