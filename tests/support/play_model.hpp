// The rules of play stated independently of the game's code: what the child should see
// after every event. Shared by the tests that play long random games.
#pragma once

#include <string>

#include "game/game_core.hpp"

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

// Holds the game's scene and numbers against the model; `event` names the step on failure.
void check(game::GameCore& game, const Model& m, long event);

}  // namespace bolvenda::testing
