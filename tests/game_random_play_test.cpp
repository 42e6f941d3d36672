// Long random games against the model of the rules: mostly the clicks a child aims, now and
// then anything at all, and keys as a child at the keyboard presses them (the focus moved,
// or the focused element clicked); a check of the whole screen state and the focus after
// every event.
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
    auto focus = std::make_unique<scene::KeyboardFocus>(game->scene());
    focus->scene_changed();
    Model model;
    int games = 1, rounds = 0, answers = 0, key_answers = 0;
    constexpr int events = 120000;
    for (int event = 0; event < events; ++event) {
        if (model.ended) {
            game = std::make_unique<Driver>(30000.0f + 97.0f * games++, 0.77f);
            focus = std::make_unique<scene::KeyboardFocus>(game->scene());
            focus->scene_changed();
            model = Model{};
        }
        if (pick() % 3 == 0) {
            // A key: Enter clicks the focused element, the same click as the pointer's.
            const int key = static_cast<int>(pick() % 8);
            if (key < 6) {
                const auto move = static_cast<scene::KeyboardFocus::Move>(key);
                focus->move(move);
                model.apply_key(move);
            } else {
                runtime::Element& focused = *focus->focused();
                ASSERT_TRUE(game->events().click(focused));
                const Model::Click click = model.apply_click(game->core(), focused);
                ASSERT_NE(click, Model::Click::Ignored);
                rounds += click == Model::Click::StartsRound;
                answers += click == Model::Click::Answers;
                key_answers += click == Model::Click::Answers;
                focus->scene_changed();
            }
            check(game->core(), model, event, focus.get());
            if (::testing::Test::HasFatalFailure()) return;
            continue;
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
        focus->scene_changed();
        check(game->core(), model, event, focus.get());
        if (::testing::Test::HasFatalFailure()) return;
    }
    EXPECT_GT(games, 10);
    EXPECT_GT(rounds, 10000);
    EXPECT_GT(answers, 10000);
    EXPECT_GT(key_answers, 1000);
}

}  // namespace
}  // namespace bolvenda::testing
