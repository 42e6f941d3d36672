// What a click costs on screen: the repaint after a handler changed the scene, at the design
// size and at twice it, against the bare copy of the ready base layer as a baseline; and the
// first paint at a new size, which makes the scaled pictures and opens the fonts.
#include <benchmark/benchmark.h>

#include "game/game_core.hpp"
#include "scene/layout.hpp"
#include "scene/view/canvas.hpp"
#include "scene/assets/assets.hpp"
#include "scene/view/painter.hpp"
#include "scene/view/picture_set.hpp"
#include "scene/view/sdl_library.hpp"
#include "scene/view/text_renderer.hpp"

namespace {

using namespace bolvenda;

struct StillClock final : runtime::Clock {
    float now = 40000.0f;
    float seconds_since_midnight() override { return now += 0.9f; }
};

struct ViewFixture {
    view::SdlLibrary sdl{false};
    view::PictureSet pictures;
    view::TextRenderer labels{assets::typeface(assets::Typeface::Bold)};
    view::TextRenderer tips{assets::typeface(assets::Typeface::Regular)};
    view::Painter painter{pictures, labels, tips};
    StillClock clock;
    game::GameCore core{clock};
    scene::Layout layout{core.scene()};
    ViewFixture() { core.events().load(); }
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
        if (answer) f.core.events().click(f.core.scene().Label(static_cast<int>(f.core.form().somma) + 1));
        else f.core.events().click(f.core.scene().Image(3));
        answer = !answer;
        f.painter.paint(f.layout, viewport, *surface);
        benchmark::DoNotOptimize(surface->pixels);
    }
}
BENCHMARK(BM_ClickAndRepaint)->Arg(792)->Arg(1584)->Unit(benchmark::kMicrosecond);

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

}  // namespace
BENCHMARK_MAIN();
