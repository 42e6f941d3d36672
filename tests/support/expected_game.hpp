// What the window must show: scene states of a game written onto a headless, loaded core,
// for the offscreen renderer to paint. Shared by the real-window and the browser tests.
#pragma once

#include <optional>

#include "tests/support/driver.hpp"
#include "tests/support/offscreen.hpp"
#include "tests/support/pixels.hpp"

namespace bolvenda::testing {

// A round as the screen shows it: the frog on n1, the fly on somma.
struct Round {
    int n1 = 0;
    int somma = 0;
    friend bool operator==(Round, Round) = default;
};

// The scene states of one game, as the game's description gives them.
class ExpectedGame {
  public:
    // Right after Load: the start-up state, from the game's own start-up handler.
    ExpectedGame() : driver_(36000.25f, 1.37f, true) {}
    scene::Scene& scene() { return driver_.scene(); }

    // Round number `round` has just started; `caught` flies were caught before it.
    void round_started(Round round, int number, int caught);
    // The number d was clicked in that round; `caught` is the count after the answer. Every
    // number alike: the answer box shows d, a wrong one the not-equal sign.
    void answered(Round round, int d, int caught);

  private:
    Driver driver_;
};

// The rows below the flies, where only frogs reach, at the design size.
scene::Rect frog_rows();

// Which frog and fly a round-start screen shows. The rows below the flies, where only frogs
// reach, are held against renders of each single frog; then the rows of both against that
// frog with each fly. Nothing unless exactly one candidate matches each time.
std::optional<Round> find_round(const Pixels& screen, Offscreen& offscreen);

}  // namespace bolvenda::testing
