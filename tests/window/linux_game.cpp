#include <cstdlib>

#include "game_program.hpp"
#include "window_fixture.hpp"

namespace bolvenda::testing {

std::string game_under_test() {
    const char* installed = std::getenv("BOLVENDA_GAME_UNDER_TEST");
    return installed != nullptr && *installed != '\0' ? installed : BOLVENDA_GAME;
}

GameProgram game_program() {
    GameProgram game;
    game.argv = {game_under_test()};
    game.no_animation_arguments = {"--no-animation"};
    game.traceable = true;
    return game;
}

}  // namespace bolvenda::testing
