// startup_phases: the game's own start-up, step by step, with a clock between the steps, on
// $DISPLAY. Prints one line of milliseconds since main():
//   worker_ms   what the second thread does alone (fonts, pictures, base layer) when nothing
//               else runs: measured first, in a run of its own
//   video_ms    SDL's video reaching the display, while the worker runs
//   window_ms   the window, its icon and pointers made
//   wait_ms     how long the window then waited for the worker
//   paint_ms    Load, the first paint and the window shown
// then ends. Run it as a fresh process each time: a second start in one process is warm.
#include <SDL.h>

#include <chrono>
#include <cstdio>
#include <string_view>

#include "app/painter_startup.hpp"
#include "game/game_core.hpp"
#include "platform/sdl/game_window.hpp"
#include "platform/sdl/sdl_library.hpp"
#include "platform/sdl/session.hpp"
#include "platform/sdl/system.hpp"

namespace {

using Clock = std::chrono::steady_clock;

double ms(Clock::time_point from, Clock::time_point to) {
    return std::chrono::duration<double, std::milli>(to - from).count();
}

}  // namespace

int main(int argc, char** argv) {
    using namespace bolvenda;
    const auto start = Clock::now();
    sdl::system::prepare_process();
    sdl::SystemClock clock;
    game::GameCore core(clock);
    if (argc > 1 && std::string_view(argv[1]) == "--worker-alone") {
        app::PainterStartup startup(core.scene(), scene::Viewport());
        startup.painter();
        std::printf("worker_ms=%.2f\n", ms(start, Clock::now()));
        return 0;
    }
    app::PainterStartup startup(core.scene(), scene::Viewport());
    sdl::VideoLibrary video;
    const auto video_done = Clock::now();
    sdl::GameWindow window;
    const auto window_done = Clock::now();
    render::Painter& painter = startup.painter();
    const auto joined = Clock::now();
    sdl::Session session(core, window, painter);
    session.start();
    const auto painted = Clock::now();
    std::printf("video_ms=%.2f window_ms=%.2f wait_ms=%.2f paint_ms=%.2f\n", ms(start, video_done),
                ms(video_done, window_done), ms(window_done, joined), ms(joined, painted));
    return 0;
}
