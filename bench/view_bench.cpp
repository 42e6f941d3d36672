// What a click costs on screen: the repaint after a handler changed the scene, at the design
// size and at twice it, against the bare copy of the ready base layer as a baseline; and the
// first paint at a new size, which makes the scaled pictures and opens the fonts.
#include <benchmark/benchmark.h>

#include "scene/frog_leap.hpp"
#include "scene/layout.hpp"
#include "scene/view/canvas.hpp"
#include "scene/view/picture_set.hpp"
#include "scene/view/sdl_library.hpp"
#include "scene/view/sound_bank.hpp"
#include "scene/view/sound_mixer.hpp"
#include "scene/view/sound_output.hpp"
#include "tests/support/driver.hpp"
#include "tests/support/offscreen.hpp"

namespace {

using namespace bolvenda;

struct ViewFixture {
    testing::Offscreen offscreen;  // for its painter, pictures and fonts
    view::Painter& painter = offscreen.painter();
    testing::Driver game{40000.0f, 0.9f};
    scene::Layout layout{game.scene()};
};

// A round start or an answer, then the repaint it causes.
void BM_ClickAndRepaint(benchmark::State& state) {
    ViewFixture f;
    const int w = static_cast<int>(state.range(0)), h = w * 566 / 792;
    auto surface = view::create_canvas_surface(w, h);
    auto viewport = scene::Viewport::fit(w, h);
    f.painter.paint(f.layout, viewport, *surface);
    bool answer = false;
    for (auto _ : state) {
        const scene::Scene& s = f.game.scene();
        f.game.events().click(answer ? s.Label(static_cast<int>(f.game.form().somma) + 1)
                                     : s.Image(3));
        answer = !answer;
        f.painter.paint(f.layout, viewport, *surface, f.game.scene().changes().take());
        benchmark::DoNotOptimize(surface->pixels);
    }
}
BENCHMARK(BM_ClickAndRepaint)->Arg(792)->Arg(1584)->Unit(benchmark::kMicrosecond);

// One frame of the frog's longest leap, 0 to 20 or back: the rectangles it leaves and
// enters. fps is how many such frames a second this machine can paint; frames/leap times the
// time of one is the CPU a leap costs.
void BM_LeapFrame(benchmark::State& state) {
    ViewFixture f;
    const int w = static_cast<int>(state.range(0)), h = w * 566 / 792;
    auto surface = view::create_canvas_surface(w, h);
    const auto viewport = scene::Viewport::fit(w, h);
    const scene::Scene& s = f.game.scene();
    f.game.new_round();
    const int from = s.frog_number(), to = from < 10 ? 20 : 0;
    f.painter.paint(f.layout, viewport, *surface, s.changes().take());
    f.game.click_number(to);
    const std::vector<const runtime::Element*> moved = s.changes().take();
    scene::FrogLeap leap(s, f.layout);
    std::uint64_t now = 0;
    leap.clicked(s.Label(to + 1), moved, now);
    f.painter.paint(f.layout, viewport, *surface, moved, std::nullopt, leap.overlays());
    for (auto _ : state) {
        now += scene::FrogLeap::frame_ms;
        if (!leap.in_air()) {
            leap.take_events();  // nobody follows them here
            leap.clicked(s.Label(to + 1), moved, now);
        }
        leap.time_passed(now);
        f.painter.paint(f.layout, viewport, *surface, {}, std::nullopt, leap.overlays());
        benchmark::DoNotOptimize(surface->pixels);
    }
    state.counters["fps"] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
    state.counters["frames/leap"] =
        static_cast<double>(scene::FrogLeap::duration_ms(from, to) / scene::FrogLeap::frame_ms);
}
BENCHMARK(BM_LeapFrame)->Arg(792)->Arg(3840)->Unit(benchmark::kMicrosecond);

// The baseline: copying a window-sized frame, the least any full repaint must do.
void BM_CopyFrame(benchmark::State& state) {
    view::SdlLibrary sdl(false);
    const int w = static_cast<int>(state.range(0)), h = w * 566 / 792;
    auto from = view::create_canvas_surface(w, h);
    auto to = view::create_canvas_surface(w, h);
    for (auto _ : state) {
        SDL_BlitSurface(from.get(), nullptr, to.get(), nullptr);
        benchmark::DoNotOptimize(to->pixels);
    }
}
BENCHMARK(BM_CopyFrame)->Arg(792)->Arg(1584)->Unit(benchmark::kMicrosecond);

// A resize: new base layer, every picture resampled, fonts opened at the new size.
void BM_FirstPaintAtNewSize(benchmark::State& state) {
    ViewFixture f;
    int w = 792;
    for (auto _ : state) {
        w = w == 1188 ? 1190 : 1188;  // alternate scales so nothing is reused
        int h = w * 566 / 792;
        auto surface = view::create_canvas_surface(w, h);
        f.painter.paint(f.layout, scene::Viewport::fit(w, h), *surface);
        benchmark::DoNotOptimize(surface->pixels);
    }
}
BENCHMARK(BM_FirstPaintAtNewSize)->Unit(benchmark::kMillisecond);

// Decoding the nine embedded pictures, done once at start-up.
void BM_DecodePictures(benchmark::State& state) {
    view::SdlLibrary sdl(false);
    for (auto _ : state) {
        view::PictureSet pictures;
        benchmark::DoNotOptimize(&pictures);
    }
}
BENCHMARK(BM_DecodePictures)->Unit(benchmark::kMillisecond);

// From a new round's click to its first samples in the device's buffer: the plan played (its
// words decoded at their first use, Arg 1, or already kept, Arg 0) and the first callback's
// block mixed. A device plays that block within its own length (23 ms) after this.
void BM_ClickToFirstSamples(benchmark::State& state) {
    std::vector<std::int16_t> block(view::SoundOutput::buffer_samples);
    view::SoundBank kept;
    int n = 0;
    for (auto _ : state) {
        view::SoundBank fresh;
        view::SoundBank& bank = state.range(0) ? fresh : kept;
        view::SoundMixer mixer;
        mixer.play(scene::sounds_for(scene::RoundStarted{n % 10, 1 + n % 10}),
                   [&](scene::Sound s) { return bank.clip(s); });
        mixer.render(block);
        benchmark::DoNotOptimize(block.data());
        ++n;
    }
}
BENCHMARK(BM_ClickToFirstSamples)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

}  // namespace
BENCHMARK_MAIN();
