// The rules of play_model.hpp.
#include "tests/support/play_model.hpp"

#include <gtest/gtest.h>

#include "tests/support/driver.hpp"

namespace bolvenda::testing {

Model::Click Model::apply_click(game::GameCore& game, const runtime::Element& on) {
    const scene::Scene& s = game.scene();
    if (&on == &s.Image(9)) {
        ended = true;
        return Click::Ends;
    }
    if (&on == &s.Image(3)) {
        if (round_open) return Click::Ignored;
        started = round_open = true;
        ++mosche;
        n1 = frog = static_cast<int>(game.form().n1);
        somma = fly = static_cast<int>(game.form().somma);
        verdict = Verdict::None;
        answer.clear();
        return Click::StartsRound;
    }
    for (int k = 1; k <= 21; ++k) {
        if (&on != &s.Label(k)) continue;
        if (!round_open) return Click::Ignored;
        const int d = k - 1;
        round_open = false;
        frog = d;
        answer = std::to_string(d);
        verdict = d == somma ? Verdict::Right : Verdict::Wrong;
        if (verdict == Verdict::Right) ++cattura;
        return Click::Answers;
    }
    return Click::Other;
}

void check(game::GameCore& game, const Model& m, long event) {
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
        ASSERT_LE(f.somma, 20.0f);
        ASSERT_GT(f.n2, 0.0f);
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
