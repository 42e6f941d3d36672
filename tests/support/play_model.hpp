// The rules of play stated independently of the game's code: what the child should see
// after every event. Shared by the tests that play long random games.
#pragma once

#include <string>
#include <vector>

#include "game/game_core.hpp"
#include "play/director.hpp"
#include "play/keyboard_focus.hpp"
#include "play/pond_sounds.hpp"

namespace bolvenda::testing {

struct Model {
    enum class Verdict { None, Right, Wrong };
    // What a click does by the rules.
    enum class Click {
        Other,        // an element the rules leave alone
        Ignored,      // the new-round picture during a round, a number outside one
        Ends,         // the sleeping frog
        StartsRound,  // the new-round picture between rounds
        Answers,      // a number during a round
    };

    bool started = false;     // a round has been started since Load
    bool round_open = false;  // the number line awaits its answer
    int n1 = 0, somma = 0;
    int frog = 0;  // the one frog shown
    int fly = 0;   // the one fly shown (0 before the first round: away from the line)
    Verdict verdict = Verdict::None;
    std::string answer;  // what the answer box shows
    int mosche = 0, cattura = 0;
    bool ended = false;
    // The keyboard's focus, by place in reading order: 0..20 the numbers, 21 the new-round
    // picture, 22 the sleeping frog. It lands on the new-round picture first and after every
    // answer, on the frog's number when a round starts.
    static constexpr int new_round = 21, sleeping_frog = 22;
    int focus = new_round;

    // A click on `on`, once the game has handled it (a new round reads the numbers it drew).
    Click apply_click(game::GameCore& game, const runtime::Element& on);
    // A key that moves the focus.
    void apply_key(play::KeyboardFocus::Move move);
    // Whether a click on `on` reaches a handler now: the numbers in a round, the new-round
    // picture between rounds, the sleeping frog always (until the end).
    bool responds(const scene::Scene& scene, const runtime::Element& on) const;
};

// What a platform does with the director's answer, short of pixels: the painter takes the
// scene's changes at every repaint asked for, so that the next input finds only its own.
inline play::Answer painted(game::GameCore& game, play::Answer answer) {
    if (answer.repaint) game.scene().changes().take();
    return answer;
}

// Holds the game's scene and numbers against the model, and the focus where it is given;
// `event` names the step on failure.
void check(game::GameCore& game, const Model& m, long event,
           const play::KeyboardFocus* focus = nullptr);

// What is heard by the rules, each moment cutting what still plays: after a new round's click
// the fly and the addition read out; after an answer the frog's take-off (a hop on its own
// number), unless the frog is shown landed at once; when it lands, the landing, the catch or
// the escape and the frog's words. Nothing else, and nothing at all while muted.
struct Heard {
    std::vector<scene::Sound> sounds;  // in the order they start
};
std::vector<Heard> heard_after_click(Model::Click click, const Model& before, const Model& after,
                                     bool animate, bool muted);
std::vector<Heard> heard_at_landing(const Model& m, bool muted);

// Holds the plans played at one step against what the rules say is heard there, and their
// timing: the first sound of each at once, the catch or escape a moment after the landing, the
// words one after another.
void check_sounds(const std::vector<scene::SoundPlan>& plans, const std::vector<Heard>& expected,
                  long event);

}  // namespace bolvenda::testing
