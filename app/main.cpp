// Bolvenda: starts the game's core. The window comes on top of it.
#include <cstdio>

#include "app/game_core.hpp"

int main() {
    bolvenda::runtime::SystemClock clock;
    bolvenda::app::GameCore core(clock);
    core.events().load();
    std::puts("Bolvenda: core loaded.");
    return 0;
}
