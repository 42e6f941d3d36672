// The layout and pointer routing, checked headless: who takes the pointer where the exercise
// row overlaps the number line, what hidden and disabled elements do, which pointer shows.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "play/frog_leap.hpp"
#include "scene/layout.hpp"
#include "scene/pointer_router.hpp"
#include "tests/support/driver.hpp"

namespace bolvenda::scene {
namespace {

using play::FrogLeap;
using testing::Driver;

std::string taker(const Layout& layout, Point p) {
    const Placement* placed = layout.at(p);
    return placed == nullptr ? "Form1" : placed->element->display_name();
}

// Code points, not bytes: the credit may hold a non-ASCII letter.
std::size_t characters(std::string_view utf8) {
    std::size_t n = 0;
    for (unsigned char c : utf8) n += (c & 0xC0) != 0x80;
    return n;
}

TEST(Layout, TitleIsCreditSevenBlanksAndTheGamesName) {
    constexpr std::string_view rest = "QUINTELARO 1   Addizioni in riga sulla linea dei numeri";
    ASSERT_GT(window_title.size(), rest.size() + 7);
    EXPECT_EQ(characters(window_title), 85u);
    EXPECT_EQ(window_title.substr(window_title.size() - rest.size()), rest);
    std::string_view head = window_title.substr(0, window_title.size() - rest.size());
    EXPECT_EQ(characters(head), 30u);
    EXPECT_EQ(head.substr(head.size() - 7), "       ");
    EXPECT_NE(head[head.size() - 8], ' ') << "the credit is 23 characters, not padded";
}

TEST(Layout, PlacesEveryElementOnceInTheDrawingOrder) {
    Scene s;
    Layout layout(s);
    const auto& order = layout.front_to_back();
    ASSERT_EQ(order.size(), static_cast<std::size_t>(Scene::element_count));
    std::set<const Element*> seen;
    for (const Placement& p : order) seen.insert(p.element);
    EXPECT_EQ(seen.size(), order.size());

    auto rank = [&](const Element& e) { return &layout.of(e) - order.data(); };
    // Flies before frogs, higher numbers in front; the frog on 0 behind every other frog.
    EXPECT_LT(rank(s.Image2().item(1)), rank(s.Image1().item(20)));
    EXPECT_LT(rank(s.Image2().item(20)), rank(s.Image2().item(19)));
    EXPECT_LT(rank(s.Image1().item(1)), rank(s.Image1().item(0)));
    EXPECT_LT(rank(s.Image(6)), rank(s.Image(4)));
    EXPECT_LT(rank(s.Image(5)), rank(s.Image(4)));
    EXPECT_LT(rank(s.Image(8)), rank(s.Image(7)));
    EXPECT_LT(rank(s.Label(22)), rank(s.Label(7)));
    EXPECT_EQ(order.back().element, &s.Line(1));
}

TEST(Layout, NumberLineGeometry) {
    Scene s;
    Layout layout(s);
    std::set<int> tick_xs;
    for (int k = 2; k <= 22; ++k) {
        const Placement& tick = layout.of(s.Line(k));
        EXPECT_EQ(tick.from.x, tick.to.x);
        EXPECT_EQ(tick.from.y, 456);
        EXPECT_EQ(tick.to.y, 472);
        tick_xs.insert(tick.from.x);
    }
    EXPECT_EQ(tick_xs.size(), 21u);
    EXPECT_EQ(layout.of(s.Line(2)).from.x, 64);
    EXPECT_EQ(layout.of(s.Line(6)).from.x, 64 + 32 * 16);
    EXPECT_EQ(layout.of(s.Line(7)).from.x, 64 + 32 * 4);
    EXPECT_EQ(layout.of(s.Line(22)).from.x, 64 + 32 * 20);
    EXPECT_EQ(layout.of(s.Line(1)).from, (Point{40, 464}));
    EXPECT_EQ(layout.of(s.Line(1)).to, (Point{728, 464}));
    for (int n = 0; n <= 20; ++n) {
        const Placement& label = layout.of(s.Label(n + 1));
        // Centre half a pixel right of the tick.
        EXPECT_EQ(2 * label.rect.left + label.rect.width, 2 * (64 + 32 * n) + 1);
        EXPECT_EQ(layout.of(s.Image1().item(n)).rect.left, label.rect.left - 32);
        if (n > 0) {
            EXPECT_EQ(layout.of(s.Image2().item(n)).rect.left, label.rect.left + 24);
        }
    }
    EXPECT_EQ(layout.of(s.Image2().item(0)).rect, (Rect{448, 112, 40, 49}));
}

TEST(Routing, OverlapsOfTheExerciseRowGoToTheFront) {
    Scene s;
    Layout layout(s);
    // Bottom 9-pixel strips of the number labels under the exercise row.
    EXPECT_EQ(taker(layout, {90, 504}), "Image9");  // "1"
    EXPECT_EQ(taker(layout, {90, 503}), "Label2");
    EXPECT_EQ(taker(layout, {120, 512}), "Image9");  // "2"
    EXPECT_EQ(taker(layout, {80, 508}), "Image9");   // over the 1-pixel edge of "0" too
    EXPECT_EQ(taker(layout, {79, 508}), "Label1");
    EXPECT_EQ(taker(layout, {250, 508}), "Label22");  // "6"
    EXPECT_EQ(taker(layout, {250, 503}), "Label7");
    EXPECT_EQ(taker(layout, {360, 510}), "Label24");  // "10"
    EXPECT_EQ(taker(layout, {460, 510}), "Label26");  // "13"
    // Image3 lies over a 1-pixel strip of "0".
    EXPECT_EQ(taker(layout, {50, 512}), "Image3");
    EXPECT_EQ(taker(layout, {50, 511}), "Label1");
    EXPECT_EQ(taker(layout, {71, 512}), "Image3");
    EXPECT_EQ(taker(layout, {72, 512}), "Label1");
    // Rectangles end before left + width.
    EXPECT_EQ(taker(layout, {160, 520}), "Image9");
    EXPECT_EQ(taker(layout, {161, 554}), "Form1");
    // The fly in front of the frog where both stand on the same number.
    EXPECT_EQ(taker(layout, {16 + 32 * 7 + 70, 300}), "Image2(7)");
    // Faces: the happy one in front of the waiting one.
    EXPECT_EQ(taker(layout, {750, 460}), "Image6");
}

TEST(Routing, HiddenElementsTakeNothing) {
    Driver d;  // start-up: one frog on 0, the fly away from the line, captions hidden
    Layout layout(d.scene());
    EXPECT_EQ(taker(layout, {216, 320}), "Form1");  // where the hidden frog on 5 stands
    EXPECT_EQ(taker(layout, {300, 360}), "Form1");  // under the hidden Label32
    EXPECT_EQ(taker(layout, {30, 320}), "Image1(0)");
    EXPECT_EQ(taker(layout, {750, 460}), "Image4");  // the result faces are hidden
    EXPECT_EQ(taker(layout, {420, 530}), "Form1");   // no exercise, no sign
    EXPECT_EQ(taker(layout, {60, 500}), "Label1");   // disabled, but it still takes the pointer
    d.scene().Image(9).set_visible(false);
    EXPECT_EQ(taker(layout, {90, 508}), "Label2");
}

TEST(Routing, ClicksThroughTheRouterPlayTheGame) {
    Driver d;
    Layout layout(d.scene());
    PointerRouter router(layout, d.events());
    auto click = [&](Point p) {
        router.press(p);
        return router.release(p);
    };
    EXPECT_EQ(click({90, 490}), nullptr);
    EXPECT_EQ(d.scene().Label(26).caption(), "") << "number labels are disabled before a round";
    EXPECT_EQ(click({40, 530}), &d.scene().Image(3));  // a new round
    EXPECT_EQ(d.form().mosche, 1.0f);
    const int somma = static_cast<int>(d.form().somma);
    // The strip of "6" belongs to Label22, which has no Click handler: nothing is clicked.
    EXPECT_EQ(click({250, 508}), nullptr);
    EXPECT_EQ(d.scene().Label(26).caption(), "");
    EXPECT_TRUE(d.scene().Label(7).enabled()) << "the round is still open";
    click({50, 512});
    EXPECT_EQ(d.form().mosche, 1.0f) << "Image3 is disabled during the round";
    // A press on one number and a release on another is no click at all.
    router.press(Point{48 + 32 * somma + 5, 490});
    router.release(Point{48 + 32 * ((somma + 1) % 21) + 5, 490});
    EXPECT_EQ(d.scene().Label(26).caption(), "");
    click({48 + 32 * somma + 5, 490});
    EXPECT_EQ(d.scene().Label(26).caption(), std::to_string(somma));
    EXPECT_TRUE(d.scene().Image(6).visible());
    // A release without a press (the press was outside the window) clicks nothing.
    router.release(Point{40, 530});
    EXPECT_EQ(d.form().mosche, 1.0f);
    // Pointer moves: the bare window's handler hides Label25; a picture takes the move from
    // the window; in the letterbox the window takes it.
    auto window_took = [&](std::optional<Point> p) {
        d.scene().Label(25).set_visible(true);
        router.move(p);
        return !d.scene().Label(25).visible();
    };
    EXPECT_TRUE(window_took(Point{300, 200}));
    EXPECT_FALSE(window_took(Point{40, 530}));
    EXPECT_TRUE(window_took(std::nullopt));
    EXPECT_FALSE(d.events().ended());
    click({90, 508});  // the strip of "1" ends the game
    EXPECT_TRUE(d.events().ended());
}

// The leap is read from what the click changed: where the frog was hidden it took off, where
// it was shown it lands. A new round moves the frog too, with no leap.
TEST(Leap, FromWhatTheClickChanged) {
    Driver d(41000.5f, 2.3f);
    Layout layout(d.scene());
    FrogLeap leap(d.scene(), layout), still(d.scene(), layout, false);
    using Event = FrogLeap::Event;
    using Events = std::vector<Event>;
    auto click = [&](Element& e, std::uint64_t now) {
        d.scene().changes().take();
        EXPECT_TRUE(d.events().click(e));
        still.clicked(e, d.scene().changes().pending(), now);
        return leap.clicked(e, d.scene().changes().pending(), now);
    };
    EXPECT_FALSE(click(d.scene().Image(3), 0)) << "a new round shows the frog at once";
    EXPECT_TRUE(leap.take_events().empty());
    int n1 = static_cast<int>(d.form().n1);
    const int to = n1 < 10 ? 20 : 0;
    ASSERT_TRUE(click(d.scene().number_label(to), 1000));
    EXPECT_EQ(leap.take_events(), (Events{{Event::Kind::TookOff, n1, to}}));
    ASSERT_EQ(leap.overlays().size(), 1u);
    EXPECT_EQ(leap.overlays()[0].element, &d.scene().Image1().item(to));
    EXPECT_EQ(leap.overlays()[0].mirrored, to < n1);
    EXPECT_EQ(still.take_events(),
              (Events{{Event::Kind::TookOff, n1, to}, {Event::Kind::Landed, n1, to}}));
    EXPECT_FALSE(still.in_air()) << "with no animation nothing is in the air";
    EXPECT_TRUE(leap.time_passed(1000 + FrogLeap::duration_ms(n1, to)));
    EXPECT_EQ(leap.take_events(), (Events{{Event::Kind::Landed, n1, to}}));
    EXPECT_TRUE(leap.overlays().empty());

    // The frog's own number: hidden and shown again, a hop in place, cut short by a round.
    EXPECT_FALSE(click(d.scene().Image(3), 5000));
    n1 = static_cast<int>(d.form().n1);
    ASSERT_TRUE(click(d.scene().number_label(n1), 6000));
    const Events hop = leap.take_events();
    ASSERT_EQ(hop.size(), 1u);
    EXPECT_TRUE(hop[0].hop());
    EXPECT_EQ(hop[0].to, n1);
    EXPECT_TRUE(click(d.scene().Image(3), 6100)) << "the frog in the air is drawn no more";
    EXPECT_EQ(leap.take_events(), (Events{{Event::Kind::CutShort, n1, n1}}));
    EXPECT_FALSE(leap.in_air());
}

TEST(Cursor, HandOverWhatTheChildMayClick) {
    Driver d;
    Layout layout(d.scene());
    EXPECT_EQ(layout.cursor_at({40, 530}), Cursor::Hand);   // Image3
    EXPECT_EQ(layout.cursor_at({100, 530}), Cursor::Hand);  // Image9
    EXPECT_EQ(layout.cursor_at({90, 508}), Cursor::Hand);   // Image9 over the strip of "1"
    EXPECT_EQ(layout.cursor_at({60, 490}), Cursor::Arrow) << "numbers are not clickable yet";
    EXPECT_EQ(layout.cursor_at({30, 320}), Cursor::Arrow);   // the frog
    EXPECT_EQ(layout.cursor_at({460, 130}), Cursor::Arrow);  // the fly
    EXPECT_EQ(layout.cursor_at({300, 200}), Cursor::Arrow);  // the bare window
    EXPECT_EQ(layout.cursor_at({750, 460}), Cursor::Arrow);  // a face
    d.new_round();
    EXPECT_EQ(layout.cursor_at({60, 490}), Cursor::Hand);
    EXPECT_EQ(layout.cursor_at({700, 490}), Cursor::Hand);
    EXPECT_EQ(layout.cursor_at({250, 508}), Cursor::Arrow) << "Label22 lies over \"6\"";
    EXPECT_EQ(layout.cursor_at({40, 530}), Cursor::Arrow) << "Image3 is disabled in a round";
}

TEST(Tooltip, TextOfTheFrontMostPicture) {
    Driver d;
    Layout layout(d.scene());
    EXPECT_EQ(layout.tool_tip_at({100, 530}), "SONO STANCA! VADO A DORMIRE!");
    EXPECT_EQ(layout.tool_tip_at({40, 530}), "PRONTI PER LA CATTURA!");
    EXPECT_EQ(layout.tool_tip_at({30, 320}), "ORA TI CATTURO!");
    EXPECT_EQ(layout.tool_tip_at({460, 130}), "AIUTOOOO!!!");
    EXPECT_EQ(layout.tool_tip_at({750, 460}), "!!!!!!!!");
    EXPECT_EQ(layout.tool_tip_at({420, 530}), "") << "the signs have none";
    EXPECT_EQ(layout.tool_tip_at({60, 490}), "") << "labels have none";
    EXPECT_EQ(layout.tool_tip_at({300, 200}), "");
    d.new_round();
    ASSERT_FALSE(d.scene().Image(3).enabled());
    EXPECT_EQ(layout.tool_tip_at({40, 530}), "PRONTI PER LA CATTURA!") << "disabled, still shown";
    EXPECT_EQ(layout.cursor_at({40, 530}), Cursor::Arrow) << "no hand: it cannot be clicked";
    d.click_number(static_cast<int>(d.form().somma) == 0 ? 1 : 0);
    EXPECT_EQ(layout.tool_tip_at({750, 460}), "OH,NO! MI È SCAPPATA!");
}

}  // namespace
}  // namespace bolvenda::scene
