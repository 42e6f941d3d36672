// Long random games against the model of the rules: mostly the clicks a child aims, now and
// then anything at all, and keys as a child at the keyboard presses them (the focus moved,
// or the focused element clicked); a check of the whole screen state and the focus after
// every event.
#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <random>
#include <string>

#include "play/frog_leap.hpp"
#include "play/pond_sounds.hpp"
#include "scene/layout.hpp"
#include "tests/support/driver.hpp"
#include "tests/support/play_model.hpp"

namespace bolvenda::testing {
namespace {

TEST(RandomPlay, HundredThousandEventsFollowTheRules) {
    std::mt19937 pick(20261208);
    auto game = std::make_unique<Driver>(30000.0f, 0.77f);
    auto focus = std::make_unique<play::KeyboardFocus>(game->scene());
    focus->scene_changed();
    // What is heard is held against the rules too: with and without the leap, muted now and
    // then.
    // The leap reads what each click changed and lands in its own time: the time goes on by a
    // random step at every event, so that new rounds come in mid-leap too.
    auto layout = std::make_unique<scene::Layout>(game->scene());
    bool animate = true;
    auto leap = std::make_unique<play::FrogLeap>(game->scene(), *layout, animate);
    auto sounds = std::make_unique<play::PondSounds>(game->scene(), animate, false);
    std::uint64_t now = 0;
    std::optional<std::uint64_t> lands_at;
    // Every moment heard in a step: the click's, then the leap's.
    auto heard_now = [&](std::optional<scene::SoundPlan> from_click) {
        std::vector<scene::SoundPlan> plans;
        if (from_click) plans.push_back(*from_click);
        for (const auto& e : leap->take_events()) plans.push_back(sounds->leap(e));
        std::erase_if(plans, [](const scene::SoundPlan& p) { return p.cues.empty() && !p.cut; });
        return plans;
    };
    Model model;
    int games = 1, rounds = 0, answers = 0, key_answers = 0, heard = 0, cut_short = 0;
    constexpr int events = 120000;
    for (int event = 0; event < events; ++event) {
        if (model.ended) {
            game = std::make_unique<Driver>(30000.0f + 97.0f * games++, 0.77f);
            focus = std::make_unique<play::KeyboardFocus>(game->scene());
            focus->scene_changed();
            layout = std::make_unique<scene::Layout>(game->scene());
            animate = games % 3 != 0;
            leap = std::make_unique<play::FrogLeap>(game->scene(), *layout, animate);
            sounds = std::make_unique<play::PondSounds>(game->scene(), animate, games % 5 == 0);
            lands_at.reset();
            model = Model{};
        }
        now += pick() % 700;
        leap->time_passed(now);
        {
            std::vector<Heard> expected;
            if (lands_at && now >= *lands_at) {
                expected = heard_at_landing(model, sounds->muted());
                lands_at.reset();
            }
            check_sounds(heard_now(std::nullopt), expected, event);
            if (::testing::Test::HasFatalFailure()) return;
        }
        // A key: the focus moved, or Enter: the focused element clicked, the same click as the
        // pointer's, heard and leapt alike.
        runtime::Element* keyed = nullptr;
        if (pick() % 3 == 0) {
            const int key = static_cast<int>(pick() % 8);
            if (key < 6) {
                const auto move = static_cast<play::KeyboardFocus::Move>(key);
                focus->move(move);
                model.apply_key(move);
                check(game->core(), model, event, focus.get());
                if (::testing::Test::HasFatalFailure()) return;
                continue;
            }
            keyed = focus->focused();
            ASSERT_NE(keyed, nullptr);
        }
        const auto& all = game->scene().elements();
        // Mostly clicks on the things a child aims at, but anything can be hit.
        const int roll = keyed ? 100 : static_cast<int>(pick() % 100);
        runtime::Element* target = keyed;
        if (keyed != nullptr) {
            // the key's click, below
        } else if (roll < 40) {
            target = &game->scene().Label(1 + static_cast<int>(pick() % 21));
        } else if (roll < 60) {
            target = &game->scene().Image(3);
        } else if (roll < 61) {
            target = &game->scene().Image(9);
        } else if (roll < 85) {
            target = all[pick() % all.size()];
        }
        const bool move = !keyed && (roll >= 85 || pick() % 4 == 0);

        if (roll == 99 && pick() % 8 == 0) {
            const bool was_muted = sounds->muted();
            const scene::SoundPlan plan = sounds->toggle_mute();
            ASSERT_TRUE(plan.cues.empty());
            ASSERT_EQ(plan.cut, !was_muted);  // muting silences at once
        } else if (move) {
            game->events().mouse_move(target);
        } else if (target != nullptr) {
            const Model before = model;
            const bool ran = game->events().click(*target);
            const Model::Click click = model.apply_click(game->core(), *target);
            // Only the two pictures and the numbers have Click handlers; a key clicks only
            // what responds.
            ASSERT_EQ(ran, click != Model::Click::Ignored && click != Model::Click::Other);
            if (keyed != nullptr) {
                ASSERT_TRUE(ran);
            }
            // As the window's router, which hands on only the clicks a handler took.
            std::optional<scene::SoundPlan> from_click;
            if (ran) {
                from_click = sounds->clicked(*target);
                cut_short += leap->in_air() && click == Model::Click::StartsRound;
                leap->clicked(*target, game->scene().changes().pending(), now);
            }
            const auto plans = heard_now(from_click);
            auto expected = heard_after_click(click, before, model, animate, sounds->muted());
            // Any other click in mid-leap shows the frog landed at once, and it is heard so.
            if (ran && lands_at && click != Model::Click::StartsRound)
                expected = heard_at_landing(model, sounds->muted());
            check_sounds(plans, expected, event);
            if (ran) lands_at.reset();
            if (click == Model::Click::Answers && animate)
                lands_at = now + play::FrogLeap::duration_ms(before.frog, model.frog);
            heard += !plans.empty();
            rounds += click == Model::Click::StartsRound;
            answers += click == Model::Click::Answers;
            key_answers += keyed && click == Model::Click::Answers;
        }
        focus->scene_changed();
        game->scene().changes().take();  // as the painter does
        check(game->core(), model, event, focus.get());
        if (::testing::Test::HasFatalFailure()) return;
    }
    EXPECT_GT(games, 10);
    EXPECT_GT(rounds, 10000);
    EXPECT_GT(answers, 10000);
    EXPECT_GT(key_answers, 1000);
    EXPECT_GT(heard, 10000);
    EXPECT_GT(cut_short, 100);  // new rounds in mid-leap
}

}  // namespace
}  // namespace bolvenda::testing
