// What a click costs on screen: the repaint after a handler changed the scene, at the design
// size and at twice it, against the bare copy of the ready base layer as a baseline; and the
// first paint at a new size, which makes the scaled pictures and opens the fonts.
#include <benchmark/benchmark.h>

#include <cstring>

#include "platform/sdl/sound_output.hpp"
#include "play/frog_leap.hpp"
#include "play/pond_sounds.hpp"
#include "render/canvas.hpp"
#include "render/picture_set.hpp"
#include "render/sound_bank.hpp"
#include "render/sound_mixer.hpp"
#include "scene/layout.hpp"
#include "tests/support/driver.hpp"
#include "tests/support/offscreen.hpp"

namespace {

using namespace bolvenda;

struct ViewFixture {
    testing::Offscreen offscreen;  // for its painter, pictures and fonts
    render::Painter& painter = offscreen.painter();
    testing::Driver game{40000.0f, 0.9f};
    scene::Layout layout{game.scene()};
};

// A round start or an answer, then the repaint it causes.
void BM_ClickAndRepaint(benchmark::State& state) {
    ViewFixture f;
    const int w = static_cast<int>(state.range(0)), h = w * 566 / 792;
    render::PixelImage surface(w, h);
    auto viewport = scene::Viewport::fit(w, h);
    f.painter.paint(f.layout, viewport, surface.view());
    bool answer = false;
    for (auto _ : state) {
        const scene::Scene& s = f.game.scene();
        f.game.events().click(answer ? s.Label(static_cast<int>(f.game.form().somma) + 1)
                                     : s.Image(3));
        answer = !answer;
        f.painter.paint(f.layout, viewport, surface.view(), f.game.scene().changes().take());
        benchmark::DoNotOptimize(surface.view().pixels);
    }
}
BENCHMARK(BM_ClickAndRepaint)->Arg(792)->Arg(1584)->Unit(benchmark::kMicrosecond);

// One frame of the frog's longest leap, 0 to 20 or back: the rectangles it leaves and
// enters. fps is how many such frames a second this machine can paint; frames/leap times the
// time of one is the CPU a leap costs.
void BM_LeapFrame(benchmark::State& state) {
    ViewFixture f;
    const int w = static_cast<int>(state.range(0)), h = w * 566 / 792;
    render::PixelImage surface(w, h);
    const auto viewport = scene::Viewport::fit(w, h);
    const scene::Scene& s = f.game.scene();
    f.game.new_round();
    const int from = s.frog_number(), to = from < 10 ? 20 : 0;
    f.painter.paint(f.layout, viewport, surface.view(), s.changes().take());
    f.game.click_number(to);
    const std::vector<const runtime::Element*> moved = s.changes().take();
    play::FrogLeap leap(s, f.layout);
    std::uint64_t now = 0;
    leap.clicked(s.Label(to + 1), moved, now);
    f.painter.paint(f.layout, viewport, surface.view(), moved, std::nullopt, leap.overlays());
    for (auto _ : state) {
        now += play::FrogLeap::frame_ms;
        if (!leap.in_air()) {
            leap.take_events();  // nobody follows them here
            leap.clicked(s.Label(to + 1), moved, now);
        }
        leap.time_passed(now);
        f.painter.paint(f.layout, viewport, surface.view(), {}, std::nullopt, leap.overlays());
        benchmark::DoNotOptimize(surface.view().pixels);
    }
    state.counters["fps"] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
    state.counters["frames/leap"] =
        static_cast<double>(play::FrogLeap::duration_ms(from, to) / play::FrogLeap::frame_ms);
}
BENCHMARK(BM_LeapFrame)->Arg(792)->Arg(3840)->Unit(benchmark::kMicrosecond);

// The baseline: copying a window-sized frame, the least any full repaint must do.
void BM_CopyFrame(benchmark::State& state) {
    const int w = static_cast<int>(state.range(0)), h = w * 566 / 792;
    render::PixelImage from(w, h);
    render::PixelImage to(w, h);
    for (auto _ : state) {
        const render::PixelView in = from.view(), out = to.view();
        std::memcpy(out.pixels, in.pixels, static_cast<std::size_t>(w) * h * sizeof(std::uint32_t));
        benchmark::DoNotOptimize(out.pixels);
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
        render::PixelImage surface(w, h);
        f.painter.paint(f.layout, scene::Viewport::fit(w, h), surface.view());
        benchmark::DoNotOptimize(surface.view().pixels);
    }
}
BENCHMARK(BM_FirstPaintAtNewSize)->Unit(benchmark::kMillisecond);

// Decoding the nine embedded pictures, done once at start-up.
void BM_DecodePictures(benchmark::State& state) {
    for (auto _ : state) {
        render::PictureSet pictures;
        benchmark::DoNotOptimize(&pictures);
    }
}
BENCHMARK(BM_DecodePictures)->Unit(benchmark::kMillisecond);

// From a new round's click to its first samples in the device's buffer: the plan played (its
// words decoded at their first use, Arg 1, or already kept, Arg 0) and the first callback's
// block mixed. A device plays that block within its own length (16 ms) after this.
void BM_ClickToFirstSamples(benchmark::State& state) {
    std::vector<std::int16_t> block(sdl::SoundOutput::buffer_samples);
    render::SoundBank kept;
    int n = 0;
    for (auto _ : state) {
        render::SoundBank fresh;
        render::SoundBank& bank = state.range(0) ? fresh : kept;
        render::SoundMixer mixer;
        mixer.play(play::sounds_for(play::RoundStarted{n % 10, 1 + n % 10}),
                   [&](scene::Sound s) { return bank.clip(s); });
        mixer.render(block);
        benchmark::DoNotOptimize(block.data());
        ++n;
    }
}
BENCHMARK(BM_ClickToFirstSamples)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

}  // namespace
BENCHMARK_MAIN();
