// The frog and the fly as the child sees them, scaled into their rectangles: the frog pushes
// off from its own tick, the fly hangs over its number, a catch touches and a near miss not.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <utility>
#include <vector>

#include "render/picture_set.hpp"
#include "scene/layout.hpp"

namespace bolvenda::render {
namespace {

// Window x of the tick of n and of the left edges of the frog and the fly on n; their tops.
int tick_x(int n) { return 64 + 32 * n; }
int frog_left(int n) { return 16 + 32 * n; }
int fly_left(int n) { return 72 + 32 * n; }
constexpr int frog_top = 296, fly_top = 280;

class Art : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { shown = std::make_unique<Shown>(); }
    static void TearDownTestSuite() { shown.reset(); }
    struct Shown {
        PictureSet pictures;
        const PremultipliedImage& frog = pictures.sized(scene::Picture::Frog, 80, 163);
        const PremultipliedImage& fly = pictures.sized(scene::Picture::Fly, 40, 49);
    };
    static std::unique_ptr<Shown> shown;

    static bool opaque(const PremultipliedImage& im, int x, int y) {
        return im.at(x, y) >> 24 > 128;
    }
    // Alpha-weighted mean x of the pixel centres in rows [top, height).
    static double mass_x(const PremultipliedImage& im, int top) {
        double sum = 0, weight = 0;
        for (int y = top; y < im.height; ++y)
            for (int x = 0; x < im.width; ++x) {
                sum += (im.at(x, y) >> 24) * (x + 0.5);
                weight += im.at(x, y) >> 24;
            }
        return weight > 0 ? sum / weight : -1e9;
    }
};
std::unique_ptr<Art::Shown> Art::shown;

TEST_F(Art, FrogsHindFeetReachTheLineAtItsTick) {
    const PremultipliedImage& frog = shown->frog;
    int bottom_row = 0;
    for (int x = 0; x < frog.width; ++x) bottom_row += opaque(frog, x, frog.height - 1);
    EXPECT_GT(bottom_row, 3) << "the feet reach the bottom edge, over the top of the tick";
    EXPECT_NEAR(frog_left(0) + mass_x(frog, frog.height - 10), tick_x(0), 3.0);
}

TEST_F(Art, FlysMassLeansToItsNumberAndItsLegsHangTowardIt) {
    // Its rectangle starts 8 px right of its tick; the next tick is 24 px further on.
    const double whole = fly_left(0) + mass_x(shown->fly, 0) - tick_x(0);
    const double legs = fly_left(0) + mass_x(shown->fly, shown->fly.height - 6) - tick_x(0);
    EXPECT_LT(whole, 23.0);
    EXPECT_LT(legs, whole - 3) << "the legs' tips point down toward the number";
}

TEST_F(Art, ACatchHangsAtTheFrontFeetAndANearMissFallsShort) {
    const PremultipliedImage &frog = shown->frog, &fly = shown->fly;
    std::vector<std::pair<int, int>> reach;  // the frog's upper half, where the fly may be
    for (int y = 0; y < 80; ++y)
        for (int x = 0; x < frog.width; ++x)
            if (opaque(frog, x, y)) reach.emplace_back(x, y);
    // The frog on 7 under the fly on 7, and how near the frog on 6 comes to it.
    int shared = 0;
    double nearest = 1e9;
    for (int my = 0; my < fly.height; ++my)
        for (int mx = 0; mx < fly.width; ++mx) {
            if (!opaque(fly, mx, my)) continue;
            const int x = fly_left(7) + mx, y = fly_top + my;
            if (y >= frog_top && x < frog_left(7) + frog.width)
                shared += opaque(frog, x - frog_left(7), y - frog_top);
            for (auto [fx, fy] : reach)
                nearest = std::min(nearest, std::hypot(x - frog_left(6) - fx, y - frog_top - fy));
        }
    EXPECT_GT(shared, 60) << "the front feet hold the fly";
    EXPECT_GE(nearest, 15.0) << "water between the front feet and the fly";
}

}  // namespace
}  // namespace bolvenda::render
