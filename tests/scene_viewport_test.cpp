// The viewport at other window sizes, and when tooltips show.
#include <gtest/gtest.h>

#include "play/tooltip_tracker.hpp"
#include "scene/layout.hpp"
#include "scene/viewport.hpp"
#include "tests/support/driver.hpp"

namespace bolvenda::scene {
namespace {

using play::TooltipTracker;
using testing::Driver;

TEST(Viewport, DesignSizeIsTheIdentity) {
    Viewport v = Viewport::fit(design_width, design_height);
    EXPECT_EQ(v.scale(), 1.0);
    EXPECT_EQ(v.client_area(), (Rect{0, 0, 792, 566}));
    EXPECT_EQ(v.to_window({48, 480, 33, 33}), (Rect{48, 480, 33, 33}));
    for (int x = 0; x < design_width; x += 7)
        for (int y = 0; y < design_height; y += 5) EXPECT_EQ(v.to_design(x, y), (Point{x, y}));
    EXPECT_EQ(v, Viewport());
}

TEST(Viewport, ScalesUniformlyAndLetterboxes) {
    // Wider than the design: bars left and right.
    Viewport wide = Viewport::fit(1000, 566);
    EXPECT_EQ(wide.scale(), 1.0);
    EXPECT_EQ(wide.client_area(), (Rect{104, 0, 792, 566}));
    EXPECT_FALSE(wide.to_design(103, 10));
    EXPECT_EQ(wide.to_design(104, 10), (Point{0, 10}));
    EXPECT_FALSE(wide.to_design(104 + 792, 10));

    // Twice the design, then taller: bars above and below.
    Viewport twice = Viewport::fit(1584, 1200);
    EXPECT_EQ(twice.scale(), 2.0);
    EXPECT_EQ(twice.client_area(), (Rect{0, 34, 1584, 1132}));
    EXPECT_EQ(twice.to_window({48, 480, 33, 33}), (Rect{96, 994, 66, 66}));
    EXPECT_EQ(twice.length(2), 4);
    EXPECT_FALSE(twice.to_design(10, 33));
    EXPECT_EQ(twice.to_design(97, 995), (Point{48, 480}));

    // An awkward scale: rectangles that touch at the design size still touch, and every
    // window pixel of an element's rectangle maps back into it.
    Viewport odd = Viewport::fit(1131, 700);
    for (int n = 0; n < 20; ++n) {
        Rect a = odd.to_window({48 + 32 * n, 480, 32, 33});
        Rect b = odd.to_window({48 + 32 * (n + 1), 480, 32, 33});
        EXPECT_EQ(a.right(), b.left);
        for (int x = a.left; x < a.right(); ++x) {
            auto p = odd.to_design(x, a.top + a.height / 2);
            ASSERT_TRUE(p);
            EXPECT_GE(p->x, 48 + 32 * n);
            EXPECT_LT(p->x, 48 + 32 * (n + 1));
        }
    }
    // Tiny windows still map somewhere sane.
    Viewport tiny = Viewport::fit(0, 0);
    EXPECT_GT(tiny.scale(), 0.0);
    EXPECT_EQ(tiny.length(2), 1);
}

class TooltipTest : public ::testing::Test {
  protected:
    Driver d;
    Layout layout{d.scene()};
    TooltipTracker tips{layout};
    static constexpr Point exit_picture{100, 530};
    static constexpr Point new_round_picture{40, 530};
    static constexpr Point bare{300, 200};
};

TEST_F(TooltipTest, ShowsAfterTheRestAndGoesWhenThePointerLeaves) {
    EXPECT_FALSE(tips.pointer_moved(exit_picture, 1000));
    EXPECT_EQ(tips.deadline(), 1000 + TooltipTracker::rest_ms);
    EXPECT_FALSE(tips.time_passed(1499));
    // Moving on the picture before it shows restarts the rest.
    EXPECT_FALSE(tips.pointer_moved(Point{101, 531}, 1400));
    EXPECT_FALSE(tips.time_passed(1899));
    EXPECT_TRUE(tips.time_passed(1900));
    ASSERT_TRUE(tips.shown());
    EXPECT_EQ(tips.shown()->text, "SONO STANCA! VADO A DORMIRE!");
    EXPECT_EQ(tips.shown()->at, (Point{101, 531}));
    // Once shown it stays where it is while the pointer moves on the same picture.
    EXPECT_FALSE(tips.pointer_moved(Point{120, 540}, 2000));
    EXPECT_EQ(tips.shown()->at, (Point{101, 531}));
    EXPECT_TRUE(tips.pointer_moved(bare, 2100));
    EXPECT_FALSE(tips.shown());
    EXPECT_FALSE(tips.deadline()) << "nothing to wait for over the bare window";
}

TEST_F(TooltipTest, PressHidesItUntilThePointerLeaves) {
    tips.pointer_moved(new_round_picture, 0);
    EXPECT_TRUE(tips.time_passed(600));
    EXPECT_TRUE(tips.pointer_pressed());
    EXPECT_FALSE(tips.deadline());
    EXPECT_FALSE(tips.time_passed(5000));
    tips.pointer_moved(bare, 5100);
    tips.pointer_moved(new_round_picture, 5200);
    EXPECT_TRUE(tips.time_passed(5700));
}

TEST_F(TooltipTest, GoesAfterAWhileAndWhenTheSceneChangesUnderIt) {
    tips.pointer_moved(exit_picture, 0);
    tips.time_passed(500);
    EXPECT_EQ(tips.deadline(), 500 + TooltipTracker::shown_ms);
    EXPECT_TRUE(tips.time_passed(500 + TooltipTracker::shown_ms));
    EXPECT_FALSE(tips.deadline()) << "gone for good until the pointer leaves";

    // Resting on Image3, then a round starts (by a click elsewhere, say): Image3 is disabled,
    // its tooltip stays. Resting on the wrong answer's signs, then the next round hides them:
    // their tooltip goes.
    tips.pointer_moved(new_round_picture, 10000);
    tips.time_passed(10500);
    ASSERT_TRUE(tips.shown());
    d.new_round();
    EXPECT_FALSE(tips.scene_changed(10600));
    EXPECT_EQ(tips.shown()->text, "PRONTI PER LA CATTURA!");
    d.click_number(static_cast<int>(d.form().somma) == 0 ? 1 : 0);
    tips.pointer_moved(Point{750, 460}, 10700);
    tips.time_passed(11200);
    ASSERT_TRUE(tips.shown());
    d.new_round();
    EXPECT_TRUE(tips.scene_changed(11300));
    EXPECT_FALSE(tips.shown());

    // In the letterbox there is nothing.
    EXPECT_FALSE(tips.pointer_moved(std::nullopt, 12000));
    EXPECT_FALSE(tips.time_passed(20000));
}

}  // namespace
}  // namespace bolvenda::scene
