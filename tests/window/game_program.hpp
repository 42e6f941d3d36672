// The program the real-window play tests start: the Linux game, or Bolvenda.exe under Wine.
// Each test binary links one definition of game_program(); the scenario is the same.
#pragma once

#include <string>
#include <vector>

namespace bolvenda::testing {

struct GameProgram {
    std::vector<std::string> argv;
    // Environment changes on top of the display's, as Launch::environment.
    std::vector<std::string> environment;
    // Why it cannot be played on this machine (the tests are skipped then); empty if it can.
    std::string missing;
    // Run to its end once before the first game, and once after the last; empty for none.
    std::vector<std::string> prepare;
    std::vector<std::string> finish;
    // How the program is told to leave out the frog's leap: arguments of its own, or commands
    // run to their end before it starts and after it ended, as its system's setting is made.
    std::vector<std::string> no_animation_arguments;
    std::vector<std::string> animation_off;
    std::vector<std::string> animation_on;
    // Where the pictures of failed steps go, below the suite's folder for them.
    std::string shots = ".";
    // How many levels a channel of the window may differ from the offscreen render.
    int tolerance = 0;
    // Whether argv is the game's own process, whose system calls a tracer sees as the game's
    // (under Wine they would be Wine's).
    bool traceable = false;
};

GameProgram game_program();

}  // namespace bolvenda::testing
