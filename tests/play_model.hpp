// The rules of play stated independently of the game's code: what the child should see
// after every event. Shared by the tests that play long random games.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "game/game_core.hpp"
#include "driver.hpp"

namespace bolvenda::testing {

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

inline std::string count_text(int n) { return n == 0 ? "" : std::to_string(n); }

inline void check(game::GameCore& game, const Model& m, long event) {
    scene::Scene& s = game.scene();
    const auto& f = game.form();
    SCOPED_TRACE("after event " + std::to_string(event));
    int frog = -1, fly = -1;
    ASSERT_EQ(visible_in(s.Image1(), &frog), 1);
    ASSERT_EQ(frog, m.frog);
    ASSERT_EQ(visible_in(s.Image2(), &fly), 1);
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

}  // namespace bolvenda::testing
