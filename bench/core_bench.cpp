// How long the core takes to start and to answer a click, without any drawing.
#include <benchmark/benchmark.h>

#include "game/game_core.hpp"

namespace {

struct StillClock final : bolvenda::runtime::Clock {
    float now = 40000.0f;
    float seconds_since_midnight() override { return now += 0.9f; }
};

void BM_CoreStartUp(benchmark::State& state) {
    StillClock clock;
    for (auto _ : state) {
        bolvenda::game::GameCore core(clock);
        core.events().load();
        benchmark::DoNotOptimize(core.form().somma);
    }
}
BENCHMARK(BM_CoreStartUp);

// One round start and one answer: the two clicks a child makes per exercise.
void BM_RoundAndAnswer(benchmark::State& state) {
    StillClock clock;
    bolvenda::game::GameCore core(clock);
    core.events().load();
    auto& scene = core.scene();
    for (auto _ : state) {
        core.events().click(scene.Image(3));
        core.events().click(scene.Label(1 + static_cast<int>(core.form().somma)));
    }
}
BENCHMARK(BM_RoundAndAnswer);

// A pointer move over the bare window, the most frequent event of all.
void BM_WindowMouseMove(benchmark::State& state) {
    StillClock clock;
    bolvenda::game::GameCore core(clock);
    core.events().load();
    for (auto _ : state) core.events().mouse_move(nullptr);
}
BENCHMARK(BM_WindowMouseMove);

}  // namespace

BENCHMARK_MAIN();
