// The rules of play stated independently of the game's code: what the child should see
// after every event. Shared by the tests that play long random games.
#pragma once

#include <string>
#include <vector>

#include "game/game_core.hpp"
#include "scene/pond_sounds.hpp"

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

    // A click on `on`, once the game has handled it (a new round reads the numbers it drew).
    Click apply_click(game::GameCore& game, const runtime::Element& on);
};

// What is heard after a click by the rules, given the model before and after it: a new round
// cuts what plays for the fly and the addition read out; an answer cuts it for the frog's
// take-off (a hop on its own number), landing, the catch or escape and the frog's words;
// nothing else is heard, and nothing at all while muted.
struct Heard {
    bool cut = false;
    std::vector<scene::Sound> sounds;  // in the order they start
};
Heard heard(Model::Click click, const Model& before, const Model& after, bool muted);

// Holds a plan against what the rules say is heard, and its timing: the exercise's words one
// after another, the landing when the leap of leap_ms ends, the catch or escape after it, the
// words last.
void check_sounds(const scene::SoundPlan& plan, const Heard& expected, std::uint64_t leap_ms,
                  long event);

// Holds the game's scene and numbers against the model; `event` names the step on failure.
void check(game::GameCore& game, const Model& m, long event);

}  // namespace bolvenda::testing
