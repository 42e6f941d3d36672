// Long random games against the model of the rules, played through the director as a platform
// plays them: the pointer at design points (mostly where a child aims, now and then anywhere,
// or off the scene), keys as a child at the keyboard presses them (the focus moved, or the
// focused element clicked), the mute now and then, and the time going on by a random step at
// every event; a check of the whole screen state, the focus and what is heard after every event.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <optional>
#include <random>
#include <string>

#include "play/director.hpp"
#include "scene/layout.hpp"
#include "tests/support/design.hpp"
#include "tests/support/driver.hpp"
#include "tests/support/play_model.hpp"

namespace bolvenda::testing {
namespace {

using Move = play::KeyboardFocus::Move;

// The key that asks the focus for each move; held down, it steps all the same.
play::KeyPress key_for(Move move, bool held) {
    using play::Key;
    switch (move) {
        case Move::Next:
            return {Key::Tab, false, false, held};
        case Move::Previous:
            return {Key::Tab, true, false, held};
        case Move::Left:
            return {Key::Left, false, false, held};
        case Move::Right:
            return {Key::Right, false, false, held};
        case Move::First:
            return {Key::Home, false, false, held};
        case Move::Last:
            return {Key::End, false, false, held};
    }
    return {};
}

// The frog drawn between two numbers.
bool frog_in_air(const play::Director& d) {
    const std::vector<scene::Overlay> drawn = d.overlays();
    return std::any_of(drawn.begin(), drawn.end(), [](const scene::Overlay& o) {
        return o.kind == scene::Overlay::Kind::Moved;
    });
}

bool has(const std::vector<play::FrogLeap::Event>& events, play::FrogLeap::Event::Kind kind) {
    return std::any_of(events.begin(), events.end(),
                       [kind](const play::FrogLeap::Event& e) { return e.kind == kind; });
}

TEST(RandomPlay, HundredThousandEventsFollowTheRules) {
    std::mt19937 pick(20261208);
    // What is heard is held against the rules too: with and without the leap, muted now and
    // then. The leap lands in its own time: the time goes on by a random step at every event,
    // so that new rounds come in mid-leap too.
    std::unique_ptr<Driver> game;
    std::unique_ptr<play::Director> director;
    bool animate = true;
    std::uint64_t now = 0;
    auto new_game = [&](float clock_start, bool muted) {
        director.reset();  // before the game it plays
        game = std::make_unique<Driver>(clock_start, 0.77f, /*load=*/false);
        director = std::make_unique<play::Director>(
            game->core(), play::DirectorOptions{.animate = animate, .muted = muted});
        painted(game->core(), director->start(now));
    };
    new_game(30000.0f, false);
    std::optional<std::uint64_t> lands_at;
    Model model;
    int games = 1, rounds = 0, answers = 0, key_answers = 0, heard = 0, cut_short = 0,
        exercises_heard = 0;
    constexpr int events = 120000;
    for (int event = 0; event < events; ++event) {
        if (model.ended) {
            const float clock_start = 30000.0f + 97.0f * games++;
            animate = games % 3 != 0;
            new_game(clock_start, games % 5 == 0);
            lands_at.reset();
            model = Model{};
        }
        play::Director& d = *director;
        scene::Scene& scene = game->scene();
        now += pick() % 700;
        {
            const play::Answer a = painted(game->core(), d.time_passed(now));
            std::vector<Heard> expected;
            if (lands_at && now >= *lands_at) {
                expected = heard_at_landing(model, d.muted());
                lands_at.reset();
            }
            check_sounds(a.sounds, expected, event);
            if (::testing::Test::HasFatalFailure()) return;
        }
        // A key: the focus moved, or Enter or Space: the focused element clicked, the same click
        // as the pointer's, heard and leapt alike.
        std::optional<play::KeyPress> click_key;
        std::optional<Move> moved;
        if (pick() % 3 == 0) {
            const int key = static_cast<int>(pick() % 8);
            if (key < 6)
                moved = static_cast<Move>(key);
            else
                click_key = play::KeyPress{key == 6 ? play::Key::Enter : play::Key::Space};
        }
        const bool keyed = click_key.has_value();
        // Mostly where a child aims, but anything can be hit, and the pointer can be off the
        // scene.
        const scene::Layout& layout = d.layout();
        auto aim = [&](const runtime::Element& e) { return centre_of(layout.of(e).rect); };
        const int roll = moved || keyed ? 100 : static_cast<int>(pick() % 100);
        std::optional<scene::Point> at;
        if (roll < 40) {
            at = aim(scene.Label(1 + static_cast<int>(pick() % 21)));
        } else if (roll < 60) {
            at = aim(scene.Image(3));
        } else if (roll < 61) {
            at = aim(scene.Image(9));
        } else if (roll < 85) {
            const int x = static_cast<int>(pick() % scene::design_width);
            at = scene::Point{x, static_cast<int>(pick() % scene::design_height)};
        }
        // What the click reaches: the focused element for a key, the front-most element shown
        // under the pointer, or none.
        const runtime::Element* target = nullptr;
        if (keyed) {
            target = d.focus().focused();
            ASSERT_NE(target, nullptr);
        } else if (at) {
            if (const scene::Placement* placed = layout.at(*at)) target = placed->element;
        }
        const bool move = !keyed && !moved && (roll >= 85 || pick() % 4 == 0);

        if (moved) {
            const play::Answer a =
                painted(game->core(), d.key(key_for(*moved, pick() % 4 == 0), now));
            model.apply_key(*moved);
            check_sounds(a.sounds, {}, event);
        } else if (roll == 99 && pick() % 8 == 0) {
            const bool was_muted = d.muted();
            const play::Answer a =
                painted(game->core(), pick() % 2 ? d.toggle_mute(now) : d.key({play::Key::M}, now));
            ASSERT_EQ(d.muted(), !was_muted);
            // Muting silences at once; unmuting starts nothing by itself.
            ASSERT_EQ(a.sounds.size(), was_muted ? 0u : 1u);
            if (!was_muted) {
                ASSERT_TRUE(a.sounds[0].cues.empty());
                ASSERT_TRUE(a.sounds[0].cut);
            }
        } else if (move) {
            const bool left = roll >= 95;
            const play::Answer a =
                painted(game->core(), left ? d.pointer_left(now) : d.pointer_moved(at, now));
            // The hand over what the child may click, the arrow elsewhere.
            if (!left) {
                ASSERT_EQ(a.cursor, target != nullptr && model.responds(scene, *target)
                                        ? scene::Cursor::Hand
                                        : scene::Cursor::Arrow);
            }
            check_sounds(a.sounds, {}, event);
        } else {
            const Model before = model;
            play::Answer a;
            if (keyed) {
                a = d.key(*click_key, now);
            } else {
                const play::Answer pressed = painted(game->core(), d.pointer_pressed(at, now));
                ASSERT_EQ(pressed.open_sound, !d.muted()) << "the click is heard at once";
                ASSERT_TRUE(pressed.sounds.empty()) << "a click is heard at the release";
                a = d.pointer_released(at, now);
            }
            // Every handler changes the scene or ends the game: whether one ran.
            const bool ran = scene.changes().any() || game->events().ended();
            const Model::Click click =
                target != nullptr ? model.apply_click(game->core(), *target) : Model::Click::Other;
            // Only the two pictures and the numbers have Click handlers; a key clicks only
            // what responds.
            ASSERT_EQ(ran, click != Model::Click::Ignored && click != Model::Click::Other);
            if (keyed) {
                ASSERT_TRUE(ran);
            }
            // An answer needs a round, whose start cuts a leap short: only a new round or the
            // end comes in mid-leap. The new round is heard alone; after the end nothing is.
            if (ran && lands_at) {
                ASSERT_TRUE(click == Model::Click::StartsRound || click == Model::Click::Ends);
            }
            if (click == Model::Click::StartsRound) {
                ASSERT_EQ(has(d.leap_events(), play::FrogLeap::Event::Kind::CutShort),
                          lands_at.has_value());
                cut_short += lands_at.has_value();
            }
            std::vector<Heard> expected =
                heard_after_click(click, before, model, animate, d.muted());
            // A click on the exercise reads it out again, once a round has shown one.
            const bool on_exercise = target == &scene.Label(22) || target == &scene.Label(23) ||
                                     target == &scene.Label(24) || target == &scene.Label(26) ||
                                     target == &scene.Image(7) || target == &scene.Image(8);
            if (!keyed && on_exercise && model.started && !d.muted()) {
                Heard read{{scene::number_word(model.n1), scene::Sound::Plus,
                            scene::number_word(model.somma - model.n1)}};
                if (model.verdict != Model::Verdict::None) {
                    if (model.verdict == Model::Verdict::Wrong)
                        read.sounds.push_back(scene::Sound::Non);
                    read.sounds.push_back(scene::Sound::Fa);
                    read.sounds.push_back(scene::number_word(std::stoi(model.answer)));
                }
                expected.push_back(read);
                ++exercises_heard;
            }
            check_sounds(a.sounds, expected, event);
            if (ran) lands_at.reset();
            if (click == Model::Click::Answers && animate)
                lands_at = now + play::FrogLeap::duration_ms(before.frog, model.frog);
            heard += !a.sounds.empty();
            rounds += click == Model::Click::StartsRound;
            answers += click == Model::Click::Answers;
            key_answers += keyed && click == Model::Click::Answers;
        }
        scene.changes().take();  // as the painter does
        check(game->core(), model, event, &d.focus());
        if (::testing::Test::HasFatalFailure()) return;
        // The frog is drawn in the air until it lands, and its frames are asked for; whatever
        // is asked for lies ahead.
        if (!model.ended) {
            ASSERT_EQ(frog_in_air(d), lands_at.has_value()) << "event " << event;
            if (lands_at) {
                ASSERT_LE(d.deadline().value_or(*lands_at + 1), *lands_at);
            }
            if (auto due = d.deadline()) {
                ASSERT_GT(*due, now) << "event " << event;
            }
        }
    }
    EXPECT_GT(games, 10);
    EXPECT_GT(rounds, 10000);
    EXPECT_GT(answers, 10000);
    EXPECT_GT(key_answers, 1000);
    EXPECT_GT(heard, 10000);
    EXPECT_GT(cut_short, 100);       // new rounds in mid-leap
    EXPECT_GT(exercises_heard, 50);  // clicks that land on the exercise
}

}  // namespace
}  // namespace bolvenda::testing
