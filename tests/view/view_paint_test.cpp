// The painted window probed pixel by pixel: pond, number line, labels, pictures in their
// rectangles and drawing order, the letterbox and the same scene at other window sizes.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "play/frog_leap.hpp"
#include "tests/support/design.hpp"
#include "tests/support/driver.hpp"
#include "tests/support/offscreen.hpp"

namespace bolvenda::testing {
namespace {

using scene::Rect;
using scene::Rgb;

constexpr Rgb blue{0, 0, 255};

class Paint : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { offscreen = std::make_unique<Offscreen>(); }
    static void TearDownTestSuite() { offscreen.reset(); }
    static inline std::unique_ptr<Offscreen> offscreen;
};

Rgb pond_at(Offscreen& o, int x, int y) {
    static const render::PremultipliedImage pond = o.pictures().decode(scene::Picture::Pond);
    std::uint32_t p = pond.at(x, y);
    return {static_cast<unsigned char>(p >> 16), static_cast<unsigned char>(p >> 8),
            static_cast<unsigned char>(p)};
}

TEST_F(Paint, PondFromTheCornerAtNaturalSize) {
    Driver d;
    auto s = offscreen->render(d.scene());
    ASSERT_EQ(s.width, 792);
    ASSERT_EQ(s.height, 566);
    for (auto [x, y] : {std::pair{0, 0}, {5, 5}, {791, 150}, {300, 250}, {791, 400}, {600, 420}})
        EXPECT_EQ(s.rgb(x, y), pond_at(*offscreen, x, y)) << x << "," << y;
}

TEST_F(Paint, NumberLineTicksAndAxis) {
    Driver d;
    d.scene().Image(4).set_visible(false);  // the face stands over the axis's right end
    auto s = offscreen->render(d.scene());
    for (int n = 0; n <= 20; ++n) {
        int x = 64 + 32 * n;
        for (int y = 456; y <= 472; ++y) EXPECT_EQ(s.rgb(x, y), blue) << "tick " << n << " y " << y;
        EXPECT_EQ(s.rgb(x - 1, 458), blue) << "2 pixels wide";
        EXPECT_NE(s.rgb(x + 1, 458), blue);
        EXPECT_NE(s.rgb(x - 2, 458), blue);
        EXPECT_NE(s.rgb(x, 454), blue);
        EXPECT_NE(s.rgb(x, 474), blue);
    }
    for (int x = 40; x <= 728; ++x) EXPECT_EQ(s.rgb(x, 464), blue) << "axis x " << x;
    EXPECT_EQ(s.rgb(100, 463), blue) << "2 pixels high";
    EXPECT_NE(s.rgb(100, 462), blue);
    EXPECT_NE(s.rgb(100, 465), blue);
    EXPECT_NE(s.rgb(38, 464), blue);
    EXPECT_NE(s.rgb(730, 464), blue);
}

TEST_F(Paint, NumberCaptionsCentredUnderTheirTicks) {
    Driver d;  // the start-up state: the numbers cannot be clicked yet
    Driver empty;
    for (int k = 1; k <= 21; ++k) empty.scene().Label(k).set_caption("");
    auto with = offscreen->render(d.scene());
    auto without = offscreen->render(empty.scene());
    d.new_round();
    auto enabled = offscreen->render(d.scene());
    for (int n : {0, 7, 11, 20}) {
        const Rect box = number_label(n);
        // The ink of the caption: where the render differs from the same scene without it.
        int left = 9999, right = -1, top = 9999, dimmed = 0, darker = 0, black = 0;
        for (int y = box.top; y < box.bottom(); ++y)
            for (int x = box.left; x < box.right(); ++x) {
                if (!(with.rgb(x, y) == without.rgb(x, y))) {
                    left = std::min(left, x);
                    right = std::max(right, x);
                    top = std::min(top, y);
                    Rgb p = with.rgb(x, y);
                    dimmed += p == scene::disabled_text_colour;
                    darker += p.g < scene::disabled_text_colour.g;
                }
                Rgb q = enabled.rgb(x, y);
                black += q.r < 40 && q.g < 40 && q.b < 40;
            }
        ASSERT_GE(right, 0) << "no caption drawn for " << n;
        double centre = (left + right + 1) / 2.0;
        EXPECT_NEAR(centre, 64 + 32 * n + 0.5, 1.5) << n;
        EXPECT_LT(top - box.top, 8) << "one line from the top edge";
        EXPECT_GT(dimmed, 20) << "dimmed text while it cannot be clicked";
        EXPECT_EQ(darker, 0) << "nothing of it black";
        EXPECT_GT(black, 20) << "black text once it can be clicked";
    }
    // "20" in its 33-pixel box under the tick at x 704, not spilling into the face's area.
    Rect changed_20 = compare(with, without).bounds;
    EXPECT_LE(changed_20.right(), 721);
}

TEST_F(Paint, FrogStandsOnItsNumberInItsRectangle) {
    Driver d;
    d.form().Image3_Click();
    Driver bare;
    for (auto* e : bare.scene().elements())
        if (e->kind() != runtime::ElementKind::Line) e->set_visible(false);
    auto none = offscreen->render(bare.scene());
    for (int n : {0, 3, 12, 20}) {
        Driver one;
        for (auto* e : one.scene().elements())
            if (e->kind() != runtime::ElementKind::Line) e->set_visible(false);
        one.scene().Image1().item(n).set_visible(true);
        Rect got = compare(offscreen->render(one.scene()), none).bounds;
        const Rect want = design_rect("Image1(" + std::to_string(n) + ")");
        EXPECT_GE(got.left, want.left) << n;
        EXPECT_GE(got.top, want.top) << n;
        EXPECT_LE(got.right(), want.right()) << n;
        EXPECT_LE(got.bottom(), want.bottom()) << n;
        // The picture is stretched to fill its rectangle (the drawing leaves the left of it
        // open: the frog's feet stand at the tick, 48 px in).
        EXPECT_GT(got.width, 60) << n;
        EXPECT_GT(got.height, 140) << n;
    }
}

TEST_F(Paint, ResultFacesAndNotEqualHideWhatLiesBehind) {
    const Rect faces = design_rect("Image4");  // cut at the window's right edge
    const Rect signs = design_rect("Image7");
    Driver both, front_only;
    both.scene().Image(4).set_visible(true);
    both.scene().Image(6).set_visible(true);
    both.scene().Image(7).set_visible(true);
    both.scene().Image(8).set_visible(true);
    front_only.scene().Image(4).set_visible(false);
    front_only.scene().Image(6).set_visible(true);
    front_only.scene().Image(7).set_visible(false);
    front_only.scene().Image(8).set_visible(true);
    auto a = offscreen->render(both.scene());
    auto b = offscreen->render(front_only.scene());
    // Only the soft edge of the shared silhouette may differ a little.
    EXPECT_EQ(compare(a, b, faces, 48).count, 0);
    EXPECT_EQ(compare(a, b, signs, 48).count, 0);
    // And the front pictures are really there: the sad face differs from the happy one.
    front_only.scene().Image(6).set_visible(false);
    front_only.scene().Image(5).set_visible(true);
    EXPECT_GT(compare(offscreen->render(front_only.scene()), b, faces, 48).count, 30);
}

TEST_F(Paint, CaptionsChangeWhatIsShownAtOnce) {
    Driver d;
    auto before = offscreen->render(d.scene());
    d.scene().Label(29).set_caption("7");
    auto after = offscreen->render(d.scene());
    Rect r = compare(before, after).bounds;
    EXPECT_GE(r.left, 664);
    EXPECT_LE(r.right(), 713);
    EXPECT_GE(r.top, 528);
    EXPECT_GT(r.width, 3) << "the new text is drawn";
    // Right-aligned: the ink ends near the rectangle's right edge.
    EXPECT_GE(r.right(), 705);
    d.scene().Label(29).set_caption("");
    EXPECT_EQ(compare(offscreen->render(d.scene()), before).count, 0);
}

TEST_F(Paint, BlueCaptions) {
    Driver d;
    auto s = offscreen->render(d.scene());
    int blue_ink = 0;
    for (int x = 0; x < 792; ++x)
        for (int y = 32; y < 65; ++y) blue_ink += s.rgb(x, y) == blue;
    EXPECT_GT(blue_ink, 300) << "the title is blue";
}

TEST_F(Paint, LetterboxAndOtherSizes) {
    Driver d;
    d.scene().Image(4).set_visible(false);
    auto design = offscreen->render(d.scene());
    // Wider: bars of the background colour either side, the scene unscaled between them.
    auto wide = offscreen->render(d.scene(), 1000, 566);
    for (int y = 0; y < 566; y += 37) {
        EXPECT_EQ(wide.rgb(0, y), scene::background_colour);
        EXPECT_EQ(wide.rgb(103, y), scene::background_colour);
        EXPECT_EQ(wide.rgb(999, y), scene::background_colour);
    }
    for (int y = 0; y < 566; y += 3)
        for (int x = 0; x < 792; x += 3) ASSERT_EQ(wide.rgb(x + 104, y), design.rgb(x, y));

    // Twice the size, with a band above and below: ticks and axis where the scale puts them.
    auto twice = offscreen->render(d.scene(), 1584, 1232);
    for (int x = 0; x < 1584; x += 50) {
        EXPECT_EQ(twice.rgb(x, 10), scene::background_colour);
        EXPECT_EQ(twice.rgb(x, 1231), scene::background_colour);
    }
    const int top = 50;
    EXPECT_EQ(twice.rgb(0, top), pond_at(*offscreen, 0, 0));
    for (int n = 0; n <= 20; n += 5) {
        EXPECT_EQ(twice.rgb(2 * (64 + 32 * n), top + 2 * 460), blue);
        EXPECT_EQ(twice.rgb(2 * (64 + 32 * n) - 2, top + 2 * 460), blue) << "4 pixels wide";
        EXPECT_NE(twice.rgb(2 * (64 + 32 * n) + 3, top + 2 * 460), blue);
    }
    EXPECT_EQ(twice.rgb(2 * 300, top + 2 * 464), blue);
    // The pond's right and bottom ends stay cut at the client area's edges.
    EXPECT_EQ(twice.rgb(100, top + 2 * 566), scene::background_colour);

    // Half the size still draws the whole line.
    auto half = offscreen->render(d.scene(), 396, 283);
    EXPECT_EQ(half.rgb(150, 232), blue);
}

TEST_F(Paint, TooltipInsideTheWindowWithItsAccent) {
    Driver d;
    auto plain = offscreen->render(d.scene());
    using Shown = scene::Tooltip;
    // Near the right and bottom edges the tip moves to stay whole inside the window.
    auto tipped =
        offscreen->render(d.scene(), 792, 566, Shown{"OH,NO! MI È SCAPPATA!", {780, 560}});
    Rect r = compare(plain, tipped).bounds;
    ASSERT_GT(r.width, 60);
    EXPECT_LE(r.right(), 792);
    EXPECT_LE(r.bottom(), 566);
    EXPECT_GT(r.height, 12);
    EXPECT_EQ(tipped.rgb(r.left + 2, r.top + 1), render::tooltip_paper);
    // The accent is drawn: "È" differs from "E" above the letter.
    auto with_e = offscreen->render(d.scene(), 792, 566, Shown{"MI E", {100, 100}});
    auto with_egrave = offscreen->render(d.scene(), 792, 566, Shown{"MI È", {100, 100}});
    EXPECT_GT(compare(with_e, with_egrave).count, 0);
    Rect accent = compare(with_e, with_egrave).bounds;
    Rect box = compare(plain, with_e).bounds;
    EXPECT_GT(accent.left, box.left + box.width / 2) << "only the last letter differs";
}

// A mark is an outline inside its rectangle, as thick as asked at the scene's scale, over the
// elements; what it surrounds shows through.
TEST_F(Paint, AMarkIsAnOutlineScaledWithTheScene) {
    Driver d;
    constexpr Rgb ring{0xFF, 0x80, 0x00};
    const Rect label = number_label(5);
    const scene::Overlay mark[] = {scene::Overlay::mark(label, ring, 3)};
    auto plain = offscreen->render(d.scene(), 1584, 1132);
    auto marked = offscreen->render(d.scene(), 1584, 1132, std::nullopt, mark);
    const Rect r{2 * label.left, 2 * label.top, 2 * label.width, 2 * label.height};
    EXPECT_EQ(compare(plain, marked).bounds, r);
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(marked.rgb(r.left + i, r.top + r.height / 2), ring) << i;
        EXPECT_EQ(marked.rgb(r.right() - 1 - i, r.top + r.height / 2), ring) << i;
        EXPECT_EQ(marked.rgb(r.left + r.width / 2, r.bottom() - 1 - i), ring) << i;
    }
    for (int y = r.top + 6; y < r.bottom() - 6; ++y)
        for (int x = r.left + 6; x < r.right() - 6; ++x)
            ASSERT_EQ(marked.rgb(x, y), plain.rgb(x, y)) << x << "," << y;
}

}  // namespace
}  // namespace bolvenda::testing

namespace bolvenda::testing {
namespace {

// The base layer drawn on the frame itself, as a first paint does, against one made ahead in
// memory of its own, as the desktop does while the window opens: at the design size (one byte
// a pixel) and scaled with bands (kept whole, so copied out of the frame).
TEST(FirstPaint, ABaseDrawnOnTheFrameEqualsOneMadeAhead) {
    for (const auto& [w, h] : {std::pair{792, 566}, std::pair{1100, 700}}) {
        Offscreen ahead, on_frame;
        Driver d;
        d.new_round();
        scene::Layout layout(d.scene());
        const auto viewport = scene::Viewport::fit(w, h);
        ahead.painter().prepare(layout, viewport);
        render::PixelImage expected(w, h), frame(w, h);
        ahead.painter().paint(layout, viewport, expected.view());
        on_frame.painter().paint(layout, viewport, frame.view());
        EXPECT_EQ(compare(pixels_of(frame.view()), pixels_of(expected.view())).count, 0) << w;
    }
}

// Repainting only what changed must give exactly the frame a whole repaint gives, whatever
// the game did in between, tooltips coming and going included.
// Through rounds, answers, tooltips and the frog's leaps (mid-leap, landed, cut short by a
// new round), each repaint of only what changed equals a whole repaint of the same state.
TEST(IncrementalPaint, EqualsAWholeRepaintThroughAGame) {
    Offscreen full;
    Offscreen incremental_view;
    Driver d(41000.5f, 2.3f);
    scene::Layout layout(d.scene());
    render::Painter& painter = incremental_view.painter();
    render::PixelImage surface(scene::design_width, scene::design_height);
    const auto viewport = scene::Viewport::fit(scene::design_width, scene::design_height);
    auto first = painter.paint(layout, viewport, surface.view());
    ASSERT_EQ(first.size(), 1u) << "the first paint is the whole window";
    EXPECT_EQ(first[0], (scene::Rect{0, 0, 792, 566}));
    EXPECT_TRUE(painter.paint(layout, viewport, surface.view()).empty()) << "nothing changed";

    std::uint64_t seed = 12345;
    auto next = [&] {
        return (seed = seed * 6364136223846793005ull + 1442695040888963407ull) >> 33;
    };
    using Shown = scene::Tooltip;
    std::optional<Shown> tip;
    play::FrogLeap leap(d.scene(), layout);
    // A ring that comes, goes and moves among the elements, as a keyboard's focus would.
    std::optional<scene::Overlay> ring;
    std::vector<scene::Overlay> overlays;
    int frames_in_air = 0;
    std::uint64_t now = 0;
    auto click_number = [&](int n) {
        if (d.click_number(n))
            leap.clicked(d.scene().Label(n + 1), d.scene().changes().pending(), now);
    };
    for (int step = 0; step < 120; ++step) {
        now += next() % 240;
        leap.time_passed(now);
        switch (next() % 5) {
            case 0:
                if (d.new_round())
                    leap.clicked(d.scene().Image(3), d.scene().changes().pending(), now);
                break;
            case 1:
                click_number(static_cast<int>(next() % 21));
                break;
            case 2:
                click_number(static_cast<int>(d.form().somma));
                break;
            case 4:  // time passes; the ring may move
                if (next() % 2 == 0) {
                    const auto& all = layout.front_to_back();
                    const scene::Rect at = all[next() % all.size()].rect;
                    ring = next() % 3 ? std::optional(scene::Overlay::mark(at, {0xFF, 0x80, 0}, 3))
                                      : std::nullopt;
                }
                break;
            case 3:
                tip = next() % 2 ? std::optional<Shown>(Shown{"AIUTOOOO!!!",
                                                              {static_cast<int>(next() % 792),
                                                               static_cast<int>(next() % 566)}})
                                 : std::nullopt;
                break;
        }
        overlays.assign(leap.overlays().begin(), leap.overlays().end());
        if (ring) overlays.push_back(*ring);
        frames_in_air += leap.in_air();
        auto changed = painter.paint(layout, viewport, surface.view(), d.scene().changes().take(),
                                     tip, overlays);
        for (const scene::Rect& r : changed) {
            EXPECT_GE(r.left, 0);
            EXPECT_LE(r.right(), 792);
        }
        auto expected = full.render(d.scene(), 792, 566, tip, overlays);
        ASSERT_EQ(compare(pixels_of(surface.view()), expected).count, 0) << "step " << step;
    }
    EXPECT_GT(frames_in_air, 3) << "the walk reaches the frog in mid-leap";
}

}  // namespace
}  // namespace bolvenda::testing
