// How long the core takes to start and to answer a click, without any drawing.
#include <benchmark/benchmark.h>

#include "tests/support/driver.hpp"

namespace {

using bolvenda::testing::Driver;

void BM_CoreStartUp(benchmark::State& state) {
    for (auto _ : state) {
        Driver game(40000.0f, 0.9f);  // the core made and loaded
        benchmark::DoNotOptimize(game.form().somma);
    }
}
BENCHMARK(BM_CoreStartUp);

// One round start and one answer: the two clicks a child makes per exercise.
void BM_RoundAndAnswer(benchmark::State& state) {
    Driver game(40000.0f, 0.9f);
    auto& scene = game.scene();
    for (auto _ : state) {
        game.events().click(scene.Image(3));
        game.events().click(scene.Label(1 + static_cast<int>(game.form().somma)));
    }
}
BENCHMARK(BM_RoundAndAnswer);

// A pointer move over the bare window, the most frequent event of all.
void BM_WindowMouseMove(benchmark::State& state) {
    Driver game(40000.0f, 0.9f);
    for (auto _ : state) game.events().mouse_move(nullptr);
}
BENCHMARK(BM_WindowMouseMove);

}  // namespace

BENCHMARK_MAIN();
