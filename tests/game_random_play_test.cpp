// Long random games against the model of the rules: mostly the clicks a child aims, now and
// then anything at all, a check of the whole screen state after every event.
#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <string>

#include "scene/frog_leap.hpp"
#include "scene/layout.hpp"
#include "scene/pond_sounds.hpp"
#include "tests/support/driver.hpp"
#include "tests/support/play_model.hpp"

namespace bolvenda::testing {
namespace {

TEST(RandomPlay, HundredThousandEventsFollowTheRules) {
    std::mt19937 pick(20261208);
    auto game = std::make_unique<Driver>(30000.0f, 0.77f);
    // What is heard is held against the rules too: with and without the leap, muted now and
    // then.
    auto layout = std::make_unique<scene::Layout>(game->scene());
    bool animate = true;
    auto sounds = std::make_unique<scene::PondSounds>(game->scene(), *layout, animate, false);
    Model model;
    int games = 1, rounds = 0, answers = 0, heard = 0;
    constexpr int events = 120000;
    for (int event = 0; event < events; ++event) {
        if (model.ended) {
            game = std::make_unique<Driver>(30000.0f + 97.0f * games++, 0.77f);
            layout = std::make_unique<scene::Layout>(game->scene());
            animate = games % 3 != 0;
            sounds = std::make_unique<scene::PondSounds>(game->scene(), *layout, animate,
                                                         games % 5 == 0);
            model = Model{};
        }
        const auto& all = game->scene().elements();
        // Mostly clicks on the things a child aims at, but anything can be hit.
        const int roll = static_cast<int>(pick() % 100);
        runtime::Element* target = nullptr;
        if (roll < 40) {
            target = &game->scene().Label(1 + static_cast<int>(pick() % 21));
        } else if (roll < 60) {
            target = &game->scene().Image(3);
        } else if (roll < 61) {
            target = &game->scene().Image(9);
        } else if (roll < 85) {
            target = all[pick() % all.size()];
        }
        const bool move = roll >= 85 || pick() % 4 == 0;

        if (roll == 99 && pick() % 8 == 0) {
            const bool was_muted = sounds->muted();
            const scene::SoundPlan plan = sounds->toggle_mute();
            ASSERT_TRUE(plan.cues.empty());
            ASSERT_EQ(plan.cut, !was_muted);  // muting silences at once
        } else if (move) {
            game->events().mouse_move(target);
        } else if (target != nullptr) {
            const Model before = model;
            const int frog_before = scene::FrogLeap::frog_on(game->scene());
            const bool ran = game->events().click(*target);
            const Model::Click click = model.apply_click(game->core(), *target);
            if (click != Model::Click::Other) {
                ASSERT_EQ(ran, click != Model::Click::Ignored);
            }
            // As the window's router, which hands on only the clicks a handler took.
            const scene::SoundPlan plan =
                ran ? sounds->clicked(*target, frog_before) : scene::SoundPlan{};
            const std::uint64_t leap = animate && click == Model::Click::Answers
                                           ? scene::FrogLeap::duration_ms(before.frog, model.frog)
                                           : 0;
            check_sounds(plan, testing::heard(click, before, model, sounds->muted()), leap, event);
            heard += !plan.cues.empty();
            rounds += click == Model::Click::StartsRound;
            answers += click == Model::Click::Answers;
        }
        check(game->core(), model, event);
        if (::testing::Test::HasFatalFailure()) return;
    }
    EXPECT_GT(games, 10);
    EXPECT_GT(rounds, 10000);
    EXPECT_GT(answers, 10000);
    EXPECT_GT(heard, 10000);
}

}  // namespace
}  // namespace bolvenda::testing
