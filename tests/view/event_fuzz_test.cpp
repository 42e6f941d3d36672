// Seeded random streams of SDL events through the real event loop on SDL's dummy video driver:
// pointer motion and every button anywhere (inside, outside, at negative coordinates, in the
// letterbox), enter and leave, focus, expose, minimise and restore, and resizes to random sizes
// from 1 x 1 to sizes no surface can have; SDL_QUIT only at the end. After every event the game
// is held against the independent model of the rules; every few hundred events the window's
// frame, painted piece by piece, is held against a whole repaint of the same state.
// BOLVENDA_FUZZ_SEED and BOLVENDA_FUZZ_EVENTS choose the stream; a failure names both.
#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <random>
#include <string>

#include "platform/sdl/game_window.hpp"
#include "platform/sdl/sdl_library.hpp"
#include "platform/sdl/session.hpp"
#include "tests/support/driver.hpp"
#include "tests/support/offscreen.hpp"
#include "tests/support/play_model.hpp"
#include "tests/support/sdl_events.hpp"

namespace bolvenda::testing {
namespace {

long from_environment(const char* name, long fallback) {
    const char* value = std::getenv(name);
    return value != nullptr && *value != '\0' ? std::strtol(value, nullptr, 10) : fallback;
}

// One game in the shared window, with the model's view of the pointer: what the router must
// have been pressed on, to know which release makes a click.
struct Game {
    Game(sdl::GameWindow& window, render::Painter& painter, float clock_start)
        : clock(clock_start, 0.61f), core(clock), session(core, window, painter) {
        session.start();
    }
    SteppingClock clock;
    game::GameCore core;
    sdl::Session session;
    Model model;
    runtime::Element* pressed = nullptr;
    bool pressing = false;
};

class EventFuzz : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { setenv("SDL_VIDEODRIVER", "dummy", 1); }

    sdl::SdlLibrary sdl;
    Offscreen drawing;  // for the window's painter, pictures and fonts
    render::Painter& painter = drawing.painter();
    sdl::GameWindow window;
    Offscreen whole;  // a painter of its own for the whole repaints

    std::mt19937 pick;
    std::optional<SDL_Point> last_press_;
    std::unique_ptr<Game> game;
    int games = 0, rounds = 0, answers = 0, resizes = 0, frames = 0;

    int below(int n) { return static_cast<int>(pick() % static_cast<unsigned>(n)); }
    int between(int lo, int hi) { return lo + below(hi - lo + 1); }

    scene::Viewport viewport() const {
        sdl::PixelSize s = window.size();
        return scene::Viewport::fit(s.width, s.height);
    }

    // A window point: mostly on something a child aims at, else anywhere at all.
    SDL_Point point() {
        const sdl::PixelSize size = window.size();
        const int roll = below(100);
        if (roll < 55) {
            scene::Layout layout(game->core.scene());
            const auto& placed = layout.front_to_back();
            const scene::Placement* target =
                &placed[static_cast<std::size_t>(below(static_cast<int>(placed.size())))];
            runtime::Element* aim = nullptr;
            if (roll < 25)
                aim = &game->core.scene().Label(between(1, 21));
            else if (roll < 40)
                aim = &game->core.scene().Image(3);
            else if (roll == 40 && below(20) == 0)
                aim = &game->core.scene().Image(9);
            for (const scene::Placement& p : placed)
                if (p.element == aim) target = &p;
            scene::Rect r = viewport().to_window(target->rect);
            return {r.left + below(std::max(r.width, 1)), r.top + below(std::max(r.height, 1))};
        }
        if (roll < 85) return {below(size.width), below(size.height)};  // letterbox included
        return {between(-400, size.width + 400), between(-400, size.height + 400)};
    }

    runtime::Element* element_at(SDL_Point p) {
        scene::Layout layout(game->core.scene());
        auto design = viewport().to_design(p.x, p.y);
        if (!design) return nullptr;
        const scene::Placement* placed = layout.at(*design);
        return placed != nullptr ? placed->element : nullptr;
    }

    void resize() {
        ++resizes;
        const int roll = below(100);
        int w = 0, h = 0;
        if (roll < 15) {  // down to a single pixel
            w = between(1, 24), h = between(1, 24);
        } else if (roll < 85) {
            w = between(100, 1600), h = between(80, 1200);
        } else if (roll < 92) {
            w = between(1600, 2600), h = between(1200, 1800);
        } else {  // no surface can be had: the game must go on at the last size that worked
            w = below(2) ? between(600000000, 2000000000) : between(1, 2000);
            h = w < 600000000 ? between(600000000, 2000000000) : between(1, 2000);
        }
        SDL_SetWindowSize(window.handle(), w, h);
    }

    // One generated event, delivered as the loop would, with what follows from it in SDL.
    void step() {
        Game& g = *game;
        // Resizes are rare, as each new scale resamples every picture.
        const int roll = below(10000);
        std::optional<SDL_Point> pressed_at, released_at;
        if (roll < 4500) {
            SDL_Point p = point();
            push(pointer_motion(window.id(), p.x, p.y));
        } else if (roll < 9000) {
            const bool down = roll < 6600;
            // A release mostly where the last press was: that makes a click.
            SDL_Point p = !down && last_press_ && below(10) < 7 ? *last_press_ : point();
            if (down) last_press_ = p;
            const Uint8 which = below(4) != 0 ? SDL_BUTTON_LEFT : static_cast<Uint8>(between(2, 5));
            if (which == SDL_BUTTON_LEFT) (down ? pressed_at : released_at) = p;
            push(pointer_button(window.id(), down, p.x, p.y, which));
        } else if (roll < 9997) {
            static constexpr Uint8 kinds[] = {
                SDL_WINDOWEVENT_ENTER,        SDL_WINDOWEVENT_LEAVE,
                SDL_WINDOWEVENT_FOCUS_GAINED, SDL_WINDOWEVENT_FOCUS_LOST,
                SDL_WINDOWEVENT_EXPOSED,      SDL_WINDOWEVENT_SHOWN,
                SDL_WINDOWEVENT_HIDDEN,       SDL_WINDOWEVENT_MINIMIZED,
                SDL_WINDOWEVENT_RESTORED,     SDL_WINDOWEVENT_MOVED,
                SDL_WINDOWEVENT_SIZE_CHANGED};
            const Uint8 which = kinds[below(static_cast<int>(std::size(kinds)))];
            // A size change tells the size the window has, again.
            const bool sized = which == SDL_WINDOWEVENT_SIZE_CHANGED;
            push(window_event(window.id(), which, sized ? window.size().width : 0,
                              sized ? window.size().height : 0));
        } else {
            resize();
        }
        if (::testing::Test::HasFatalFailure()) return;

        // The model's side, before the game sees the event: the element under the pointer now.
        if (pressed_at) {
            g.pressed = element_at(*pressed_at);
            g.pressing = true;
        }
        runtime::Element* release_on = released_at ? element_at(*released_at) : nullptr;

        SDL_Event event;
        while (SDL_PollEvent(&event) != 0 && !g.session.ended()) g.session.dispatch(&event);
        if (auto due = g.session.deadline(); due && *due <= SDL_GetTicks64() && !g.session.ended())
            g.session.dispatch(nullptr);

        if (released_at && g.pressing) {
            g.pressing = false;
            if (release_on != nullptr && release_on == g.pressed) {
                const Model::Click click = g.model.apply_click(g.core, *release_on);
                rounds += click == Model::Click::StartsRound;
                answers += click == Model::Click::Answers;
            }
            g.pressed = nullptr;
        }
    }

    void expect_whole_repaint_equal(long event) {
        SDL_Surface* shown = SDL_GetWindowSurface(window.handle());
        ASSERT_NE(shown, nullptr) << "no window surface at a size that worked";
        const Difference d =
            compare(pixels_of(view_of(*shown)),
                    whole.render(game->core.scene(), shown->w, shown->h, game->session.tooltip(),
                                 game->session.overlays()));
        ASSERT_EQ(d.count, 0)
            << "after event " << event
            << " the frame painted piece by piece differs from a whole repaint at " << shown->w
            << " x " << shown->h << ": " << d.describe();
        ++frames;
    }
};

TEST_F(EventFuzz, EveryEventFollowsTheRulesAndEveryFrameIsAWholeRepaint) {
    const auto seed = static_cast<std::uint32_t>(from_environment("BOLVENDA_FUZZ_SEED", 1));
    const long events = from_environment("BOLVENDA_FUZZ_EVENTS", 20000);
    SCOPED_TRACE("seed " + std::to_string(seed) + " (BOLVENDA_FUZZ_SEED=" + std::to_string(seed) +
                 " BOLVENDA_FUZZ_EVENTS=" + std::to_string(events) + " repeats this stream)");
    pick.seed(seed);
    // A window system that ignores the minimum size, so that 1 x 1 can be reached.
    SDL_SetWindowMinimumSize(window.handle(), 1, 1);
    game = std::make_unique<Game>(window, painter, 20000.0f + static_cast<float>(seed % 1000));
    games = 1;

    for (long event = 0; event < events; ++event) {
        if (game->model.ended) {
            SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);  // after End nothing more is delivered
            game.reset();
            game = std::make_unique<Game>(window, painter,
                                          30000.0f + 97.0f * static_cast<float>(games++));
        }
        step();
        if (HasFatalFailure()) return;
        check(game->core, game->model, event);
        if (HasFatalFailure()) return;
        if (event % 500 == 499 && !game->model.ended) {
            expect_whole_repaint_equal(event);
            if (HasFatalFailure()) return;
        }
    }

    push(quit_event());
    SDL_Event event;
    while (SDL_PollEvent(&event) != 0 && !game->session.ended()) game->session.dispatch(&event);
    game->model.ended = true;
    check(game->core, game->model, events);

    std::printf(
        "seed %u: %ld events, %d games, %d rounds, %d answers, %d resizes, %d whole frames\n", seed,
        events, games, rounds, answers, resizes, frames);
    EXPECT_GT(rounds, events / 400);
    EXPECT_GT(answers, events / 800);
    EXPECT_GT(frames, 0);
}

}  // namespace
}  // namespace bolvenda::testing
