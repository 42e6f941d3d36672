// The director on its own, as any platform drives it: the game's own input at design points,
// keys by the game's names and the time passed in; what each answer asks of the platform (a
// repaint, the pointer's shape, the sounds, the next deadline) held against what the child
// should meet. A twin game on the same clock tells each round's numbers.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "play/director.hpp"
#include "tests/support/design.hpp"
#include "tests/support/driver.hpp"
#include "tests/support/expected_game.hpp"
#include "tests/support/play_model.hpp"

namespace bolvenda::testing {
namespace {

using play::Answer;
using play::Director;
using play::DirectorOptions;
using play::Key;
using play::KeyPress;
using scene::Cursor;
using scene::Point;
using scene::Sound;
using Leap = play::FrogLeap::Event;

constexpr float clock_start = 50000.5f, clock_step = 3.1f;
constexpr int new_round_picture = Model::new_round, sleeping_frog = Model::sleeping_frog;

KeyPress press(Key key, bool shift = false) { return {key, shift, false, false}; }
KeyPress held(Key key) { return {key, false, false, true}; }
KeyPress with_system(Key key) { return {key, false, true, false}; }

// What the rules say is heard: the addition read at a round's start, the take-off (or the hop
// in place) at an answer, the landing and the verdict when the frog is down.
std::vector<Heard> reads(Round r) {
    return {{{Sound::FlyArrives, scene::number_word(r.n1), Sound::Plus,
              scene::number_word(r.somma - r.n1)}}};
}
std::vector<Heard> takes_off(bool hop = false) { return {{{hop ? Sound::Hop : Sound::TakeOff}}}; }
std::vector<Heard> lands(bool caught) {
    return {{{Sound::Landing, caught ? Sound::Catch : Sound::Escape,
              caught ? Sound::VerdictRight : Sound::VerdictWrong}}};
}

// Every plan an answer carries has something to do: a sound to start or one to cut.
void expect_each_plan_does_something(const Answer& a) {
    for (const scene::SoundPlan& plan : a.sounds) EXPECT_TRUE(plan.cut || !plan.cues.empty());
}

class DirectorTest : public ::testing::Test {
  protected:
    Driver game{clock_start, clock_step, /*load=*/false};  // loaded by the director's start
    Driver twin{clock_start, clock_step};
    std::uint64_t now = 10000;

    // The next round the game draws, as the twin draws it.
    Round next_round() {
        if (twin.scene().Label(1).enabled()) twin.click_number(0);
        twin.new_round();
        return {static_cast<int>(twin.form().n1), static_cast<int>(twin.form().somma)};
    }

    // A round opened by a click on the new-round picture; its numbers, as the twin draws them.
    Round open_round(Director& d) {
        const Round round = next_round();
        click(d, aim("Image3"));
        return round;
    }

    // The centre of an element, checked to be that element's and no other's in front of it.
    Point aim(std::string_view name) {
        const Point p = centre_of(design_rect(name));
        const scene::Layout layout(game.scene());
        const scene::Placement* placed = layout.at(p);
        EXPECT_TRUE(placed != nullptr && placed->element == &game.element(name)) << name;
        return p;
    }
    Point aim_number(int n) { return aim("Label" + std::to_string(n + 1)); }

    // Each answer followed as a platform does: the painter takes what changed.
    Answer shown(Answer a) { return painted(game.core(), std::move(a)); }

    // A press and a release at one point, as a child's click; the release's answer.
    Answer click(Director& d, Point p) {
        shown(d.pointer_moved(p, now));
        const Answer pressed = shown(d.pointer_pressed(p, now));
        EXPECT_EQ(pressed.open_sound, !d.muted()) << "the output opens while the button is down";
        return shown(d.pointer_released(p, now));
    }

    std::optional<scene::Rect> ring_on(std::string_view name) const {
        return play::focus_ring_around(design_rect(name));
    }
    std::optional<scene::Rect> ring_on_number(int n) const {
        return ring_on("Label" + std::to_string(n + 1));
    }
};

// --- By pointer: a round, the pointer's shape, the end --------------------------------------

TEST_F(DirectorTest, PlaysARoundByPointerWithTheHandOverWhatResponds) {
    Director d(game.core());
    const Answer started = shown(d.start(now));
    EXPECT_TRUE(started.repaint) << "the first frame";
    EXPECT_TRUE(started.sounds.empty());
    EXPECT_FALSE(d.deadline()) << "nothing to wait for";
    EXPECT_FALSE(d.focus_ring()) << "no ring for a pointer's user";

    EXPECT_EQ(shown(d.pointer_moved(aim("Image3"), now)).cursor, Cursor::Hand);
    EXPECT_EQ(shown(d.pointer_moved(aim_number(4), now)).cursor, Cursor::Arrow) << "no round open";
    EXPECT_EQ(shown(d.pointer_moved(std::nullopt, now)).cursor, Cursor::Arrow)
        << "in the letterbox";

    const Round round = next_round();
    Answer a = click(d, aim("Image3"));
    EXPECT_EQ(game.form().mosche, 1.0f);
    EXPECT_TRUE(a.repaint);
    EXPECT_EQ(a.cursor, Cursor::Arrow) << "Image3 stops responding under the pointer";
    check_sounds(a.sounds, reads(round), __LINE__);
    EXPECT_TRUE(d.leap_events().empty()) << "a new round shows the frog in its place at once";

    EXPECT_EQ(shown(d.pointer_moved(aim_number(round.somma), now)).cursor, Cursor::Hand);
    EXPECT_EQ(shown(d.pointer_moved(aim("Label22"), now)).cursor, Cursor::Arrow)
        << "the exercise row";
    EXPECT_EQ(shown(d.pointer_moved(aim("Image9"), now)).cursor, Cursor::Hand);

    // A press on one number and a release on another is no click.
    shown(d.pointer_pressed(aim_number(round.somma), now));
    a = shown(d.pointer_released(aim_number(round.somma == 20 ? 19 : round.somma + 1), now));
    EXPECT_TRUE(a.sounds.empty());
    EXPECT_TRUE(game.scene().Label(1).enabled()) << "the round is still open";

    a = click(d, aim_number(round.somma));
    EXPECT_EQ(game.form().cattura, 1.0f) << "the game does not wait for the leap";
    EXPECT_EQ(game.scene().Label(26).caption(), std::to_string(round.somma));
    EXPECT_EQ(a.cursor, Cursor::Arrow) << "the numbers stop responding under the pointer";
    EXPECT_EQ(d.leap_events(), (std::vector<Leap>{{Leap::Kind::TookOff, round.n1, round.somma}}));
    check_sounds(a.sounds, takes_off(), __LINE__);

    a = click(d, aim("Image9"));
    EXPECT_TRUE(d.ended());
    EXPECT_FALSE(a.repaint) << "nothing more is shown";
    EXPECT_FALSE(d.deadline()) << "nothing more to wait for, the leap in the air included";
    expect_each_plan_does_something(a);
    EXPECT_TRUE(a.sounds.empty()) << "the game is over: nothing starts";
    // After the end nothing reaches the game.
    shown(d.pointer_pressed(aim("Image3"), now));
    a = shown(d.pointer_released(aim("Image3"), now));
    EXPECT_EQ(game.form().mosche, 1.0f);
    EXPECT_FALSE(a.repaint);
}

TEST_F(DirectorTest, CloseEndsTheGameAsTheSleepingFrogDoes) {
    Director d(game.core(), {.scan_ms = 300});
    shown(d.start(now));
    ASSERT_TRUE(d.deadline()) << "the switch's next step";
    d.close();
    EXPECT_TRUE(d.ended());
    EXPECT_TRUE(game.events().ended());
    EXPECT_FALSE(d.deadline());
    EXPECT_FALSE(d.focus_ring()) << "no ring over an ended game";
    const Answer a = shown(d.key(press(Key::Enter), now += 10));
    EXPECT_FALSE(a.repaint);
    EXPECT_EQ(game.form().mosche, 0.0f);
    EXPECT_FALSE(shown(d.time_passed(now += 1000)).repaint);
}

// --- The leap, in time passed in --------------------------------------------------------------

TEST_F(DirectorTest, TheLeapMovesFrameByFrameAndLandsInItsOwnTimeHeardThen) {
    Director d(game.core());
    shown(d.start(now));
    const Round round = open_round(d);
    shown(d.pointer_moved(std::nullopt, now));  // out of the way of any tooltip
    click(d, aim_number(round.somma));
    shown(d.pointer_moved(std::nullopt, now));
    const std::uint64_t took_off = now;
    const std::uint64_t landing = took_off + play::FrogLeap::duration_ms(round.n1, round.somma);
    const scene::Rect from = design_rect("Image1(" + std::to_string(round.n1) + ")");
    const scene::Rect to = design_rect("Image1(" + std::to_string(round.somma) + ")");
    const runtime::Element& frog = game.scene().Image1().item(round.somma);

    ASSERT_EQ(d.overlays().size(), 1u);
    EXPECT_EQ(d.overlays()[0].element, &frog);
    EXPECT_EQ(d.overlays()[0].at.left, from.left) << "it leaves from where it stood";
    int frames = 0, highest = to.top, left = from.left;
    while (d.deadline() && *d.deadline() < landing) {
        const std::uint64_t due = *d.deadline();
        ASSERT_GT(due, now) << "each deadline lies ahead";
        // Before the deadline there is nothing to do.
        const Answer early = shown(d.time_passed(due - 1));
        EXPECT_FALSE(early.repaint);
        EXPECT_TRUE(early.sounds.empty());
        now = due;
        const Answer frame = shown(d.time_passed(now));
        EXPECT_TRUE(frame.sounds.empty()) << "nothing heard in the air";
        EXPECT_TRUE(d.leap_events().empty());
        ASSERT_EQ(d.overlays().size(), 1u) << "still in the air at " << now - took_off;
        frames += frame.repaint;
        const scene::Rect at = d.overlays()[0].at;
        EXPECT_TRUE(round.somma > round.n1 ? at.left >= left : at.left <= left) << "one way";
        left = at.left;
        highest = std::min(highest, at.top);
    }
    EXPECT_EQ(d.deadline(), landing) << "the last deadline is the landing";
    EXPECT_GT(frames, static_cast<int>((landing - took_off) / play::FrogLeap::frame_ms) / 2);
    EXPECT_LT(highest, to.top - 20) << "an arc above the line";
    EXPECT_EQ(game.scene().Label(26).caption(), std::to_string(round.somma));

    const Answer down = shown(d.time_passed(landing));
    EXPECT_TRUE(down.repaint);
    EXPECT_EQ(d.leap_events(), (std::vector<Leap>{{Leap::Kind::Landed, round.n1, round.somma}}));
    check_sounds(down.sounds, lands(true), __LINE__);
    EXPECT_TRUE(d.overlays().empty());
    EXPECT_FALSE(d.deadline()) << "none at rest";
    EXPECT_TRUE(shown(d.time_passed(landing + 5000)).sounds.empty()) << "heard once";
}

// A platform may follow several inputs with one repaint (a page paints at its next frame):
// Enter twice in one frame starts a round and answers on the focused number, the frog's own,
// which is a hop in place, whatever the last frame showed.
TEST_F(DirectorTest, AHopAnsweredBeforeTheRoundWasPaintedIsAHopInPlace) {
    Director d(game.core());
    shown(d.start(now));
    const Round first = open_round(d);
    click(d, aim_number(first.somma));
    shown(d.time_passed(now += 2000));
    const Round second = next_round();
    ASSERT_NE(second.n1, first.somma) << "the frog must stand elsewhere for this to tell";
    d.key(press(Key::Enter), now);  // the ring shown, the round started, the focus on n1
    d.key(press(Key::Enter), now);  // no paint between
    EXPECT_EQ(d.leap_events(), (std::vector<Leap>{{Leap::Kind::TookOff, second.n1, second.n1}}));
    ASSERT_EQ(d.overlays().size(), 2u) << "the frog in the air and the ring";
    EXPECT_EQ(d.overlays()[0].at.left,
              design_rect("Image1(" + std::to_string(second.n1) + ")").left);
}

TEST_F(DirectorTest, ALeapPassedInOneLongStepLandsAtOnceAndAHopIsHeardAsOne) {
    Director d(game.core());
    shown(d.start(now));
    const Round round = open_round(d);
    // The frog's own number: a hop in place, and a wrong answer.
    Answer a = click(d, aim_number(round.n1));
    EXPECT_EQ(d.leap_events(), (std::vector<Leap>{{Leap::Kind::TookOff, round.n1, round.n1}}));
    check_sounds(a.sounds, takes_off(/*hop=*/true), __LINE__);
    a = shown(d.time_passed(now += 3000));
    EXPECT_EQ(d.leap_events(), (std::vector<Leap>{{Leap::Kind::Landed, round.n1, round.n1}}));
    check_sounds(a.sounds, lands(false), __LINE__);
    EXPECT_FALSE(d.deadline());
}

TEST_F(DirectorTest, ANewRoundInMidLeapCutsItShortAndOnlyTheNewRoundIsHeard) {
    Director d(game.core());
    shown(d.start(now));
    const Round first = open_round(d);
    click(d, aim_number(first.somma));
    now += 100;
    ASSERT_TRUE(shown(d.time_passed(now)).sounds.empty());
    ASSERT_EQ(d.overlays().size(), 1u);

    const Round second = next_round();
    const Answer a = click(d, aim("Image3"));
    EXPECT_EQ(game.form().mosche, 2.0f);
    EXPECT_EQ(d.leap_events(), (std::vector<Leap>{{Leap::Kind::CutShort, first.n1, first.somma}}));
    check_sounds(a.sounds, reads(second), __LINE__);
    EXPECT_TRUE(d.overlays().empty()) << "the new round shows at once";
    EXPECT_FALSE(d.deadline()) << "no frames, and no tooltip on the picture just pressed";
    EXPECT_TRUE(shown(d.time_passed(now + 2000)).sounds.empty())
        << "the old landing is never heard";
    EXPECT_TRUE(d.leap_events().empty());
}

TEST_F(DirectorTest, TheSleepingFrogInMidLeapEndsWithNothingLeftToDo) {
    Director d(game.core());
    shown(d.start(now));
    const Round round = open_round(d);
    click(d, aim_number(round.somma));
    now += 50;
    shown(d.time_passed(now));
    const Answer a = click(d, aim("Image9"));
    EXPECT_TRUE(d.ended());
    EXPECT_EQ(d.leap_events(), (std::vector<Leap>{{Leap::Kind::CutShort, round.n1, round.somma}}));
    expect_each_plan_does_something(a);
    EXPECT_TRUE(a.sounds.empty());
    EXPECT_FALSE(d.deadline());
}

TEST_F(DirectorTest, WithoutAnimationTheFrogLandsAtTheClickAndIsHeardLandingOnly) {
    Director d(game.core(), {.animate = false});
    shown(d.start(now));
    const Round round = open_round(d);
    const Answer a = click(d, aim_number(round.somma));
    EXPECT_EQ(d.leap_events(), (std::vector<Leap>{{Leap::Kind::TookOff, round.n1, round.somma},
                                                  {Leap::Kind::Landed, round.n1, round.somma}}));
    check_sounds(a.sounds, lands(true), __LINE__);
    EXPECT_TRUE(d.overlays().empty());
    EXPECT_FALSE(d.deadline());
}

// --- The sounds and the mute --------------------------------------------------------------

TEST_F(DirectorTest, MutedNothingIsHeardAndNoOutputOpens) {
    Director d(game.core(), {.muted = true});
    shown(d.start(now));
    EXPECT_TRUE(d.muted());
    const Round round = next_round();
    EXPECT_TRUE(click(d, aim("Image3")).sounds.empty());
    EXPECT_TRUE(click(d, aim_number(round.somma + (round.somma < 20 ? 1 : -1))).sounds.empty());
    EXPECT_EQ(d.leap_events().size(), 1u) << "the leap is seen all the same";
    EXPECT_TRUE(shown(d.time_passed(now += 2000)).sounds.empty());
    EXPECT_EQ(d.leap_events().size(), 1u);
    EXPECT_FALSE(d.deadline());
}

TEST_F(DirectorTest, MutingCutsWhatPlaysAndTheNextMomentIsHeardAgainAfter) {
    Director d(game.core());
    shown(d.start(now));
    const Round first = open_round(d);
    click(d, aim_number(first.somma));
    // Muted in mid-leap: what plays is cut, and the landing is not heard.
    Answer a = shown(d.toggle_mute(now += 30));
    EXPECT_TRUE(d.muted());
    ASSERT_EQ(a.sounds.size(), 1u);
    EXPECT_TRUE(a.sounds[0].cut);
    EXPECT_TRUE(a.sounds[0].cues.empty());
    a = shown(d.time_passed(now += 2000));
    EXPECT_EQ(d.leap_events().size(), 1u) << "landed";
    EXPECT_TRUE(a.sounds.empty());

    // Unmuting starts nothing by itself; the next round is heard.
    a = shown(d.toggle_mute(now += 10));
    EXPECT_FALSE(d.muted());
    EXPECT_TRUE(a.sounds.empty());
    const Round second = next_round();
    check_sounds(click(d, aim("Image3")).sounds, reads(second), __LINE__);

    // The key M is the same switch; held down it does not flicker, and Ctrl+M is the system's.
    a = shown(d.key(press(Key::M), now += 10));
    EXPECT_TRUE(d.muted());
    ASSERT_EQ(a.sounds.size(), 1u);
    EXPECT_TRUE(a.sounds[0].cut);
    EXPECT_FALSE(shown(d.key(held(Key::M), now += 10)).repaint);
    EXPECT_TRUE(d.muted());
    shown(d.key(with_system(Key::M), now += 10));
    EXPECT_TRUE(d.muted());
    EXPECT_FALSE(d.focus_ring()) << "M is no key of the focus";
    EXPECT_TRUE(click(d, aim_number(second.somma)).sounds.empty());
    shown(d.key(press(Key::M), now += 10));
    EXPECT_FALSE(d.muted());
    check_sounds(shown(d.time_passed(now += 2000)).sounds, lands(true), __LINE__);
}

// --- Keys ---------------------------------------------------------------------------------

TEST_F(DirectorTest, PlaysARoundByKeysAlongTheLine) {
    Director d(game.core());
    shown(d.start(now));
    const auto& focus = d.focus();
    ASSERT_EQ(focus.focused_position(), new_round_picture);
    EXPECT_FALSE(d.focus_ring());

    Answer a = shown(d.key(press(Key::Tab), now));
    EXPECT_TRUE(a.repaint);
    EXPECT_EQ(focus.focused_position(), sleeping_frog);
    EXPECT_EQ(d.focus_ring(), ring_on("Image9")) << "the ring shows once a key is used";
    ASSERT_FALSE(d.overlays().empty());
    EXPECT_EQ(d.overlays().back().at, *d.focus_ring()) << "the ring over everything";
    shown(d.key(press(Key::Tab, /*shift=*/true), now));
    EXPECT_EQ(focus.focused_position(), new_round_picture);
    EXPECT_FALSE(shown(d.key(press(Key::Left), now)).repaint) << "Image3 is its row's first";
    shown(d.key(press(Key::End), now));
    EXPECT_EQ(focus.focused_position(), sleeping_frog);
    shown(d.key(press(Key::Home), now));
    EXPECT_EQ(focus.focused_position(), new_round_picture);

    const Round round = next_round();
    a = shown(d.key(press(Key::Enter), now));
    EXPECT_EQ(game.form().mosche, 1.0f);
    check_sounds(a.sounds, reads(round), __LINE__);
    EXPECT_EQ(focus.focused_position(), round.n1) << "on the frog's own number";
    EXPECT_EQ(d.focus_ring(), ring_on_number(round.n1));
    // Enter held down clicks once: the repeats answer nothing.
    shown(d.key(held(Key::Enter), now));
    shown(d.key(held(Key::Space), now));
    EXPECT_TRUE(game.scene().Label(1).enabled()) << "no answer yet";
    EXPECT_EQ(game.scene().Label(26).caption(), "");

    shown(d.key(press(Key::Home), now));
    EXPECT_EQ(focus.focused_position(), 0);
    EXPECT_FALSE(shown(d.key(press(Key::Left), now)).repaint) << "nothing left of 0";
    shown(d.key(press(Key::End), now));
    EXPECT_EQ(focus.focused_position(), 20);
    shown(d.key(press(Key::Right), now));
    EXPECT_EQ(focus.focused_position(), 20) << "never from 20 onto the sleeping frog";
    shown(d.key(press(Key::Tab), now));
    EXPECT_EQ(focus.focused_position(), sleeping_frog) << "Image3 does not respond in a round";
    shown(d.key(press(Key::Tab), now));
    EXPECT_EQ(focus.focused_position(), 0) << "round to the first";
    // Counted from the frog's number, the arrow held down repeating its step.
    shown(d.key(press(Key::Tab, /*shift=*/true), now));
    shown(d.key(press(Key::Home), now));
    for (int n = 0; n < round.somma; ++n) shown(d.key(held(Key::Right), now));
    EXPECT_EQ(focus.focused_position(), round.somma);

    a = shown(d.key(press(Key::Space), now));
    EXPECT_EQ(game.form().cattura, 1.0f);
    EXPECT_EQ(d.leap_events(), (std::vector<Leap>{{Leap::Kind::TookOff, round.n1, round.somma}}));
    check_sounds(a.sounds, takes_off(), __LINE__);
    EXPECT_EQ(focus.focused_position(), new_round_picture) << "back after the answer";
    EXPECT_EQ(d.focus_ring(), ring_on("Image3"));
}

TEST_F(DirectorTest, KeysOfTheSystemAndTheWindowAreNotTheGames) {
    Director d(game.core());
    shown(d.start(now));
    for (const KeyPress key :
         {with_system(Key::Tab), with_system(Key::Enter), press(Key::M), press(Key::F11),
          press(Key::Function), press(Key::Modifier), press(Key::Other)}) {
        SCOPED_TRACE(static_cast<int>(key.key));
        EXPECT_FALSE(d.takes_key(key));
        const Answer a = shown(d.key(key, now));
        EXPECT_FALSE(a.repaint);
        EXPECT_EQ(d.focus().focused_position(), new_round_picture);
        EXPECT_EQ(game.form().mosche, 0.0f) << "nothing clicked";
    }
    EXPECT_FALSE(d.focus_ring()) << "none of them shows the ring";
    if (d.muted()) shown(d.toggle_mute(now));
    for (Key key : {Key::Tab, Key::Left, Key::Right, Key::Home, Key::End, Key::Enter, Key::Space})
        EXPECT_TRUE(d.takes_key(press(key))) << static_cast<int>(key);
    EXPECT_TRUE(shown(d.key(press(Key::F11), now)).toggle_fullscreen);
    EXPECT_FALSE(shown(d.key(held(Key::F11), now)).toggle_fullscreen)
        << "held, it does not flicker";
    EXPECT_FALSE(shown(d.key(press(Key::Tab), now)).toggle_fullscreen);
}

// --- One switch ---------------------------------------------------------------------------

TEST_F(DirectorTest, OneSwitchStepsOnAtEachDeadlineAndAnyKeyOrReleaseClicksTheFocus) {
    constexpr std::uint64_t pace = 250;
    Director d(game.core(), {.scan_ms = static_cast<int>(pace)});
    shown(d.start(now));
    const auto& focus = d.focus();
    EXPECT_EQ(d.focus_ring(), ring_on("Image3")) << "a switch's ring shows from the start";
    ASSERT_EQ(d.deadline(), now + pace);
    EXPECT_FALSE(shown(d.time_passed(now + pace - 1)).repaint);
    EXPECT_EQ(focus.focused_position(), new_round_picture);
    now += pace;
    EXPECT_TRUE(shown(d.time_passed(now)).repaint);
    EXPECT_EQ(focus.focused_position(), sleeping_frog);
    ASSERT_EQ(d.deadline(), now + pace);
    now += pace;
    shown(d.time_passed(now));
    EXPECT_EQ(focus.focused_position(), new_round_picture) << "round to what responds";

    // Modifiers and the system's keys are not the switch; M is the mute; held, nothing.
    for (const KeyPress key : {press(Key::Modifier), with_system(Key::Other), press(Key::Function),
                               held(Key::Other), held(Key::Enter)}) {
        SCOPED_TRACE(static_cast<int>(key.key));
        shown(d.key(key, now + 10));
        EXPECT_EQ(game.form().mosche, 0.0f);
    }
    shown(d.key(press(Key::M), now + 10));
    EXPECT_EQ(game.form().mosche, 0.0f);
    EXPECT_TRUE(d.muted());
    shown(d.key(press(Key::M), now + 10));
    EXPECT_TRUE(d.takes_key(press(Key::Other))) << "any other key is the switch";

    const Round round = next_round();
    now += 20;
    Answer a = shown(d.key(press(Key::Tab), now));  // Tab too: any key is the switch
    EXPECT_EQ(game.form().mosche, 1.0f);
    check_sounds(a.sounds, reads(round), __LINE__);
    EXPECT_EQ(focus.focused_position(), round.n1);
    EXPECT_EQ(d.deadline(), now + pace) << "it rests a whole step on the frog's number";
    // A press does nothing by itself: the switch clicks at the release.
    shown(d.pointer_pressed(aim("Image9"), now));
    EXPECT_FALSE(d.ended());
    for (int n = round.n1 + 1; n <= round.somma; ++n) {
        now = *d.deadline();
        shown(d.time_passed(now));
        ASSERT_EQ(focus.focused_position(), n);
    }
    // A release anywhere, the sleeping frog too, clicks the focused number.
    a = shown(d.pointer_released(aim("Image9"), now));
    EXPECT_FALSE(d.ended());
    EXPECT_EQ(game.form().cattura, 1.0f);
    check_sounds(a.sounds, takes_off(), __LINE__);
    EXPECT_EQ(focus.focused_position(), new_round_picture);
    // Outside the scene too; and the leap's frames do not move the focus on.
    const Round second = next_round();
    now += 30;
    shown(d.time_passed(now));
    a = shown(d.pointer_released(std::nullopt, now));
    EXPECT_EQ(game.form().mosche, 2.0f);
    check_sounds(a.sounds, reads(second), __LINE__);
    EXPECT_EQ(focus.focused_position(), second.n1);
    EXPECT_EQ(d.deadline(), now + pace);
    // A page's own focus puts the ring somewhere: it rests there a whole step too.
    now += 100;
    EXPECT_TRUE(shown(d.page_focus(sleeping_frog, now)).repaint);
    EXPECT_EQ(d.focus_ring(), ring_on("Image9"));
    EXPECT_EQ(d.deadline(), now + pace);
}

// --- The tooltip ----------------------------------------------------------------------------

TEST_F(DirectorTest, ATooltipShowsOnceThePointerRestsAndGoesWhenItLeaves) {
    Director d(game.core());
    shown(d.start(now));
    const Point on_exit = aim("Image9");
    EXPECT_FALSE(shown(d.pointer_moved(on_exit, now)).repaint);
    ASSERT_EQ(d.deadline(), now + play::TooltipTracker::rest_ms);
    // Moving on the picture restarts the wait.
    now += play::TooltipTracker::rest_ms - 100;
    const Point nearby{on_exit.x + 2, on_exit.y + 1};
    ASSERT_EQ(game.scene().find_display_name("Image9"), d.layout().at(nearby)->element);
    shown(d.pointer_moved(nearby, now));
    const std::uint64_t due = now + play::TooltipTracker::rest_ms;
    EXPECT_EQ(d.deadline(), due);
    EXPECT_FALSE(shown(d.time_passed(due - 1)).repaint);
    EXPECT_FALSE(d.tooltip());
    const Answer rested = shown(d.time_passed(due));
    EXPECT_TRUE(rested.repaint);
    ASSERT_TRUE(d.tooltip());
    EXPECT_EQ(d.tooltip()->text, game.scene().Image(9).tool_tip());
    EXPECT_EQ(d.tooltip()->at, nearby);
    EXPECT_EQ(d.deadline(), due + play::TooltipTracker::shown_ms) << "then it goes by itself";

    // Off the picture it goes at once; numbers have none.
    EXPECT_TRUE(shown(d.pointer_moved(aim_number(3), due + 10)).repaint);
    EXPECT_FALSE(d.tooltip());
    EXPECT_FALSE(d.deadline());
    // Back on, the time it shows, then expired.
    shown(d.pointer_moved(on_exit, due + 20));
    shown(d.time_passed(due + 20 + play::TooltipTracker::rest_ms));
    ASSERT_TRUE(d.tooltip());
    EXPECT_TRUE(shown(d.time_passed(due + 20 + play::TooltipTracker::rest_ms +
                                    play::TooltipTracker::shown_ms))
                    .repaint);
    EXPECT_FALSE(d.tooltip());
    EXPECT_FALSE(d.deadline()) << "not again until the pointer leaves the picture";
    // The pointer leaving the window hides it too.
    shown(d.pointer_moved(aim("Image3"), now = due + 10000));
    shown(d.time_passed(now += play::TooltipTracker::rest_ms));
    ASSERT_TRUE(d.tooltip());
    EXPECT_TRUE(shown(d.pointer_left(now)).repaint);
    EXPECT_FALSE(d.tooltip());
}

// --- A page's own controls ----------------------------------------------------------------

TEST_F(DirectorTest, APagesFocusAndClickTakeOnlyWhatResponds) {
    Director d(game.core());
    shown(d.start(now));
    const auto& focus = d.focus();
    const std::uint64_t version = d.shown_version();
    for (int outside : {-1, play::KeyboardFocus::candidate_count, 1000}) {
        const Answer f = shown(d.page_focus(outside, now)), c = shown(d.page_click(outside, now));
        EXPECT_FALSE(f.repaint || c.repaint) << outside;
    }
    EXPECT_FALSE(shown(d.page_click(3, now)).repaint)
        << "a number outside a round does not respond";
    EXPECT_EQ(game.form().mosche, 0.0f);
    EXPECT_EQ(focus.focused_position(), new_round_picture);
    EXPECT_FALSE(d.focus_ring());
    EXPECT_EQ(d.shown_version(), version) << "nothing a page mirrors changed";

    EXPECT_TRUE(shown(d.page_focus(sleeping_frog, now)).repaint);
    EXPECT_EQ(d.focus_ring(), ring_on("Image9"));
    EXPECT_GT(d.shown_version(), version);
    EXPECT_FALSE(shown(d.page_focus(5, now)).repaint)
        << "a number that does not respond keeps none";
    EXPECT_EQ(focus.focused_position(), sleeping_frog);

    const Round round = next_round();
    Answer a = shown(d.page_click(new_round_picture, now));
    check_sounds(a.sounds, reads(round), __LINE__);
    EXPECT_EQ(game.form().mosche, 1.0f);
    EXPECT_EQ(focus.focused_position(), round.n1);
    EXPECT_FALSE(shown(d.page_click(new_round_picture, now)).repaint) << "not in a round";
    EXPECT_EQ(game.form().mosche, 1.0f);
    const std::uint64_t before = d.shown_version();
    a = shown(d.page_click(round.somma, now));
    EXPECT_EQ(game.form().cattura, 1.0f);
    check_sounds(a.sounds, takes_off(), __LINE__);
    EXPECT_GT(d.shown_version(), before);
    EXPECT_EQ(focus.focused_position(), new_round_picture);
}

// --- The exercise heard again -----------------------------------------------------------------

// A click on the exercise, the key Up or a page's button read it out again: nothing before a
// round, the addition during one, with the chosen number after an answer ("fa" or "non fa"),
// nothing while muted; it cuts what is still said and changes nothing else.
TEST_F(DirectorTest, TheExerciseIsReadAgainOnAskingInEveryState) {
    Director d(game.core());
    shown(d.start(now));
    auto number = [](int n) { return scene::number_word(n); };
    EXPECT_TRUE(click(d, aim("Label22")).sounds.empty()) << "no exercise before a round";
    const Round round = open_round(d);
    const int n2 = round.somma - round.n1;
    const std::vector<Heard> addition{{{number(round.n1), Sound::Plus, number(n2)}}};
    for (const char* part : {"Label22", "Label23", "Label24", "Label26", "Image7"}) {
        const Answer a = click(d, aim(part));
        check_sounds(a.sounds, addition, __LINE__);
        EXPECT_FALSE(a.repaint) << part << ": nothing changes on screen";
        EXPECT_NE(a.cursor, std::optional(Cursor::Hand)) << part << ": the pointer stays";
    }
    check_sounds(shown(d.key(press(Key::Up), now)).sounds, addition, __LINE__);
    EXPECT_TRUE(shown(d.key(held(Key::Up), now)).sounds.empty()) << "held, read once";
    check_sounds(shown(d.hear_exercise(now)).sounds, addition, __LINE__);
    // Pressed on the exercise and let go on a number is no request.
    shown(d.pointer_pressed(aim("Label22"), now));
    EXPECT_TRUE(shown(d.pointer_released(aim_number(round.n1), now)).sounds.empty());

    // Asked during the leap: the question cuts what the leap was saying; the leap flies on.
    click(d, aim_number(round.somma));
    ASSERT_TRUE(d.deadline());
    const Answer mid = shown(d.hear_exercise(now + 1));
    ASSERT_EQ(mid.sounds.size(), 1u);
    EXPECT_TRUE(mid.sounds.front().cut);
    EXPECT_FALSE(d.overlays().empty()) << "the frog is still in the air";
    check_sounds(mid.sounds,
                 {{{number(round.n1), Sound::Plus, number(n2), Sound::Fa, number(round.somma)}}},
                 __LINE__);

    // A wrong answer: the addition "non fa" the number chosen.
    const Round second = open_round(d);
    const int wrong = second.somma == 20 ? 0 : second.somma + 1;
    click(d, aim_number(wrong));
    check_sounds(shown(d.key(press(Key::Up), now)).sounds,
                 {{{number(second.n1), Sound::Plus, number(second.somma - second.n1), Sound::Non,
                    Sound::Fa, number(wrong)}}},
                 __LINE__);
    shown(d.toggle_mute(now));
    EXPECT_TRUE(shown(d.hear_exercise(now)).sounds.empty()) << "muted";
}

}  // namespace
}  // namespace bolvenda::testing
