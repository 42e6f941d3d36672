// Long random games against the model of the rules: mostly the clicks a child aims, now and
// then anything at all, a check of the whole screen state after every event.
#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <string>

#include "tests/support/driver.hpp"
#include "tests/support/play_model.hpp"

namespace bolvenda::testing {
namespace {

TEST(RandomPlay, HundredThousandEventsFollowTheRules) {
    std::mt19937 pick(20261208);
    auto game = std::make_unique<Driver>(30000.0f, 0.77f);
    Model model;
    int games = 1, rounds = 0, answers = 0;
    constexpr int events = 120000;
    for (int event = 0; event < events; ++event) {
        if (model.ended) {
            game = std::make_unique<Driver>(30000.0f + 97.0f * games++, 0.77f);
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

        if (move) {
            game->events().mouse_move(target);
        } else if (target != nullptr) {
            const bool ran = game->events().click(*target);
            const Model::Click click = model.apply_click(game->core(), *target);
            // Only the two pictures and the numbers have Click handlers.
            ASSERT_EQ(ran, click != Model::Click::Ignored && click != Model::Click::Other);
            rounds += click == Model::Click::StartsRound;
            answers += click == Model::Click::Answers;
        }
        check(game->core(), model, event);
        if (::testing::Test::HasFatalFailure()) return;
    }
    EXPECT_GT(games, 10);
    EXPECT_GT(rounds, 10000);
    EXPECT_GT(answers, 10000);
}

}  // namespace
}  // namespace bolvenda::testing
