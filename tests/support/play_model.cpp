// The rules of play_model.hpp.
#include "tests/support/play_model.hpp"

#include <gtest/gtest.h>

#include "scene/scene_words.hpp"
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
        focus = n1;
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
        focus = new_round;
        return Click::Answers;
    }
    return Click::Other;
}

bool Model::responds(const scene::Scene& s, const runtime::Element& on) const {
    if (ended) return false;
    if (&on == &s.Image(9)) return true;
    if (&on == &s.Image(3)) return !round_open;
    for (int k = 1; k <= 21; ++k)
        if (&on == &s.Label(k)) return round_open;
    return false;
}

void Model::apply_key(play::KeyboardFocus::Move move) {
    using Move = play::KeyboardFocus::Move;
    // What responds: the numbers and the sleeping frog in a round, the two pictures outside.
    auto responds = [&](int at) {
        return at <= 20 ? round_open : at == sleeping_frog || !round_open;
    };
    const bool on_line = focus <= 20;
    switch (move) {
        case Move::Next:
        case Move::Previous:
            do focus = (focus + (move == Move::Next ? 1 : 22)) % 23;
            while (!responds(focus));
            break;
        case Move::Right:
            if (on_line ? focus < 20 : focus == new_round) ++focus;
            break;
        case Move::Left:
            if (on_line ? focus > 0 : focus == sleeping_frog && responds(new_round)) --focus;
            break;
        case Move::First:
            focus = round_open ? 0 : new_round;
            break;
        case Move::Last:
            focus = round_open ? 20 : sleeping_frog;
            break;
    }
}

std::vector<Heard> heard_after_click(Model::Click click, const Model& before, const Model& after,
                                     bool animate, bool muted) {
    using scene::Sound;
    if (muted) return {};
    if (click == Model::Click::StartsRound)
        return {{{Sound::FlyArrives, scene::number_word(after.n1), Sound::Plus,
                  scene::number_word(after.somma - after.n1)}}};
    if (click == Model::Click::Answers)
        return animate
                   ? std::vector<Heard>{{{before.frog == after.frog ? Sound::Hop : Sound::TakeOff}}}
                   : heard_at_landing(after, muted);
    return {};
}

std::vector<Heard> heard_at_landing(const Model& m, bool muted) {
    using scene::Sound;
    if (muted) return {};
    const bool right = m.verdict == Model::Verdict::Right;
    return {{{Sound::Landing, right ? Sound::Catch : Sound::Escape,
              right ? Sound::VerdictRight : Sound::VerdictWrong}}};
}

void check_sounds(const std::vector<scene::SoundPlan>& plans, const std::vector<Heard>& expected,
                  long event) {
    using scene::Sound;
    SCOPED_TRACE("sounds at event " + std::to_string(event));
    ASSERT_EQ(plans.size(), expected.size());
    for (std::size_t p = 0; p < plans.size(); ++p) {
        const scene::SoundPlan& plan = plans[p];
        EXPECT_TRUE(plan.cut);  // every moment cuts what still plays
        std::vector<Sound> sounds;
        for (const scene::Cue& cue : plan.cues) sounds.push_back(cue.sound);
        ASSERT_EQ(sounds, expected[p].sounds);
        for (std::size_t i = 0; i < plan.cues.size(); ++i) {
            const scene::Cue& cue = plan.cues[i];
            if (i == 0) {
                EXPECT_EQ(cue.delay_ms, 0u);  // at the moment itself
                EXPECT_FALSE(cue.after_previous);
            } else if (cue.sound == Sound::Catch || cue.sound == Sound::Escape) {
                EXPECT_GT(cue.delay_ms, 0u);  // the frog heard down first
                EXPECT_FALSE(cue.after_previous);
            } else {  // words: each once the one before has been heard
                EXPECT_TRUE(cue.after_previous);
                EXPECT_GT(cue.delay_ms, 0u);
            }
        }
    }
}

void check(game::GameCore& game, const Model& m, long event, const play::KeyboardFocus* focus) {
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
    // What a screen reader is told is what the screen shows.
    const scene::SceneWords words = scene::words_of(s);
    const std::string sign = m.verdict == Model::Verdict::Wrong ? " ≠ " : " = ";
    ASSERT_EQ(words.exercise,
              !m.started ? ""
                         : std::to_string(m.n1) + " + " + std::to_string(m.somma - m.n1) + sign +
                               (m.verdict == Model::Verdict::None ? "?" : m.answer));
    ASSERT_EQ(words.score,
              "MOSCHE CATTURATE: " + std::to_string(m.cattura) + " SU " + std::to_string(m.mosche));
    ASSERT_EQ(words.verdict, m.verdict == Model::Verdict::Right   ? "GNAM! GNAM! CHE BUONA!"
                             : m.verdict == Model::Verdict::Wrong ? "OH,NO! MI È SCAPPATA!"
                                                                  : "");
    if (focus != nullptr) {
        ASSERT_TRUE(focus->focused() != nullptr);
        ASSERT_EQ(focus->focused_position(), m.focus) << focus->focused()->display_name();
        ASSERT_TRUE(focus->focused()->enabled());
    }
}

}  // namespace bolvenda::testing
