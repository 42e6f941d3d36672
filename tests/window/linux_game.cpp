#include "game_program.hpp"

namespace bolvenda::window_test {

GameProgram game_program() {
    GameProgram game;
    game.argv = {BOLVENDA_GAME};
    return game;
}

}  // namespace bolvenda::window_test
