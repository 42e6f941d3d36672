#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <string>

#include "driver.hpp"

namespace bolvenda::testing {
namespace {

// An independent statement of the rules: what the child should see after every event.
struct Model {
    enum class Verdict { None, Right, Wrong };
    bool started = false;     // a round has been started since Load
    bool round_open = false;  // the number line awaits its answer
    int n1 = 0, somma = 0;
    int frog = 0;             // the one frog shown
    int fly = 0;              // the one fly shown (0 before the first round: away from the line)
    Verdict verdict = Verdict::None;
    std::string answer;       // what the answer box shows
    int mosche = 0, cattura = 0;
    bool ended = false;

    void start_round(int drawn_n1, int drawn_somma) {
        started = round_open = true;
        ++mosche;
        n1 = frog = drawn_n1;
        somma = fly = drawn_somma;
        verdict = Verdict::None;
        answer.clear();
    }
    void answer_with(int d) {
        round_open = false;
        frog = d;
        answer = std::to_string(d);
        verdict = d == somma ? Verdict::Right : Verdict::Wrong;
        if (verdict == Verdict::Right) ++cattura;
    }
};

std::string count_text(int n) { return n == 0 ? "" : std::to_string(n); }

void check(Driver& game, const Model& m, int event) {
    scene::Scene& s = game.scene();
    const auto& f = game.form();
    SCOPED_TRACE("after event " + std::to_string(event));
    int frog = -1, fly = -1;
    ASSERT_EQ(game.frog_count(&frog), 1);
    ASSERT_EQ(frog, m.frog);
    ASSERT_EQ(game.fly_count(&fly), 1);
    ASSERT_EQ(fly, m.fly);
    if (m.started) {
        ASSERT_EQ(f.somma, static_cast<float>(fly));
    }
    ASSERT_EQ(s.Image(5).visible(), m.verdict == Model::Verdict::Wrong);
    ASSERT_EQ(s.Image(6).visible(), m.verdict == Model::Verdict::Right);
    ASSERT_EQ(s.Image(8).visible(), m.verdict == Model::Verdict::Wrong);
    ASSERT_EQ(s.Image(7).visible(), m.started && m.verdict != Model::Verdict::Wrong);
    ASSERT_TRUE(s.Image(4).visible());
    ASSERT_EQ(s.Label(23).visible(), m.started);
    ASSERT_FALSE(s.Label(25).visible());
    ASSERT_FALSE(s.Label(32).visible());
    ASSERT_EQ(s.Label(26).caption(), m.answer);
    ASSERT_EQ(s.Label(29).caption(), count_text(m.cattura));
    ASSERT_EQ(s.Label(31).caption(), count_text(m.mosche));
    ASSERT_EQ(f.mosche, static_cast<float>(m.mosche));
    ASSERT_EQ(f.cattura, static_cast<float>(m.cattura));
    ASSERT_LE(f.cattura, f.mosche);
    for (int k = 1; k <= 21; ++k) {
        ASSERT_EQ(s.Label(k).enabled(), m.round_open);
        ASSERT_EQ(s.Label(k).caption(), std::to_string(k - 1));
    }
    ASSERT_EQ(s.Image(3).enabled(), !m.round_open);
    ASSERT_TRUE(s.Image(9).enabled() && s.Image(9).visible());
    ASSERT_EQ(game.events().ended(), m.ended);
}

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
            const auto& s = game->scene();
            if (target == &s.Image(9)) {
                ASSERT_TRUE(ran);
                model.ended = true;
            } else if (target == &s.Image(3)) {
                ASSERT_EQ(ran, !model.round_open);
                if (ran) {
                    const auto& f = game->form();
                    ASSERT_LE(f.somma, 20.0f);
                    ASSERT_GT(f.n2, 0.0f);
                    model.start_round(static_cast<int>(f.n1), static_cast<int>(f.somma));
                    ++rounds;
                }
            } else {
                for (int k = 1; k <= 21; ++k) {
                    if (target == &s.Label(k) && ran) {
                        ASSERT_TRUE(model.round_open);
                        model.answer_with(k - 1);
                        ++answers;
                    } else if (target == &s.Label(k)) {
                        ASSERT_FALSE(model.round_open);
                    }
                }
            }
        }
        check(*game, model, event);
        if (::testing::Test::HasFatalFailure()) return;
    }
    EXPECT_GT(games, 10);
    EXPECT_GT(rounds, 10000);
    EXPECT_GT(answers, 10000);
}

}  // namespace
}  // namespace bolvenda::testing
