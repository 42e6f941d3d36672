// A long session in the real window: thousands (BOLVENDA_SOAK_EVENTS) of real XTest moves and
// clicks over random points at random window sizes, with rounds started and answered on the way.
// After every resize and every answer the window must show the offscreen render of the state the
// clicks made; every 500 events it goes back to the design size and the game's resident memory is
// read: after the first sample it may not grow by a megabyte. BOLVENDA_SOAK_SEED repeats a run.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <random>
#include <string>

#include "scene/viewport.hpp"
#include "tests/support/process_figures.hpp"
#include "window_fixture.hpp"

namespace bolvenda::testing {
namespace {

const scene::Rect new_round_picture = design_rect("Image3");

class Soak : public RealWindow {
  protected:
    std::mt19937 pick;
    ExpectedGame game;
    std::optional<Round> open_round;
    int rounds = 0, answers = 0, caught = 0;
    scene::Viewport viewport;  // of the window's size now

    int between(int lo, int hi) {
        return lo + static_cast<int>(pick() % static_cast<unsigned>(hi - lo + 1));
    }

    // The window takes its new size as a person gives it one, by the frame, with the pointer
    // off the scene. Nothing more goes out until a frame of that size shows the state the
    // clicks made: the game has read the size then, and maps the pointer by it. (How long the
    // game has been quiet says nothing: on a busy machine it may sleep, waiting on the X
    // server, before it has read the size.) A step that parted the model from the game fails
    // here.
    // (The pictures of one step are saved under one name: a long run keeps only the last.)
    void resize(int width, int height, const std::string& step) {
        park_pointer();
        x_->move_resize(window_, 0, 0, width, height);
        viewport = scene::Viewport::fit(width, height);
        ASSERT_TRUE(shows(renderer().render(game.scene(), width, height), step));
    }

    // Back at the design size: the screen must be the render of the state.
    void expect_state(const std::string& step) {
        resize(scene::design_width, scene::design_height, step);
    }

    void start_round() {
        ASSERT_NO_FATAL_FAILURE(expect_state("before-round-" + std::to_string(rounds + 1)));
        const Pixels before = screen_now();
        click_at(centre_of(new_round_picture));
        auto after = next_screen(before);
        ASSERT_TRUE(after) << "round " << rounds + 1 << ": no change after the click";
        open_round = find_round(*after, renderer());
        ASSERT_TRUE(open_round) << "round " << rounds + 1
                                << ": no single frog and fly on the screen";
        game.round_started(*open_round, ++rounds, caught);
    }

    // A random point of the window; a click there unless it would end the game or start a
    // round (rounds are started above, where their numbers can be read). A click goes out
    // only while the window has the size the model maps it by; an answer is then read back
    // from the screen before anything else goes out.
    void random_event() {
        int x = between(0, viewport.window_width() - 1),
            y = between(0, viewport.window_height() - 1);
        if (pick() % 8 == 0) {  // aimed at a number, as a child answering
            scene::Rect r = viewport.to_window(number_label(between(0, 20)));
            x = r.left + between(0, std::max(r.width - 1, 0));
            y = r.top + between(0, std::max(r.height - 1, 0));
        }
        scene::Layout layout(game.scene());
        auto design = viewport.to_design(x, y);
        const scene::Placement* placed = design ? layout.at(*design) : nullptr;
        runtime::Element* on = placed != nullptr ? placed->element : nullptr;
        scene::Scene& s = game.scene();
        if (pick() % 3 != 0 || on == &s.Image(3) || on == &s.Image(9)) {
            x_->move_pointer_to(window_, x, y);
            return;
        }
        const auto state = x_->state_of(window_);
        ASSERT_TRUE(state && state->width == viewport.window_width() &&
                    state->height == viewport.window_height())
            << "the window is not the size the model clicks at";
        x_->click(window_, x, y);
        if (!open_round) return;
        for (int k = 1; k <= 21; ++k) {
            if (on != &s.Label(k)) continue;
            const int d = k - 1;
            if (d == open_round->somma) ++caught;
            game.answered(*open_round, d, caught);
            ++answers;
            open_round.reset();
            ASSERT_TRUE(
                shows(renderer().render(s, viewport.window_width(), viewport.window_height()),
                      "answered"))
                << "the answer " << d << " at " << x << "," << y;
        }
    }
};

TEST_F(Soak, ThousandsOfRealEventsKeepMemoryFlatAndTheScreenTrue) {
    const char* given = std::getenv("BOLVENDA_SOAK_SEED");
    const auto seed =
        given != nullptr ? static_cast<std::uint32_t>(std::strtoul(given, nullptr, 10)) : 5000u;
    SCOPED_TRACE("seed " + std::to_string(seed) + " (BOLVENDA_SOAK_SEED repeats the run)");
    pick.seed(seed);
    start_game();
    ASSERT_NE(window_, None);
    ASSERT_NO_FATAL_FAILURE(expect_state("start-up"));

    constexpr int events = BOLVENDA_SOAK_EVENTS, sample_every = 500;
    std::vector<long> samples;
    for (int event = 1; event <= events; ++event) {
        if (event % 40 == 0) {
            const int width = between(264, XServer::screen_width);
            const int height = between(188, XServer::screen_height);
            ASSERT_NO_FATAL_FAILURE(resize(width, height, "resized"))
                << "event " << event << ": " << width << " x " << height;
        } else if (event % 250 == 0 && !open_round) {
            ASSERT_NO_FATAL_FAILURE(start_round());
        } else {
            ASSERT_NO_FATAL_FAILURE(random_event()) << "event " << event;
        }
        if (event % sample_every == 0) {
            ASSERT_NO_FATAL_FAILURE(expect_state("sample-" + std::to_string(event)));
            samples.push_back(process_figures(game_->pid()).resident_kib);
        }
    }
    ASSERT_TRUE(game_->running()) << game_->standard_error();
    ASSERT_NO_FATAL_FAILURE(expect_state("last"));

    std::vector<long> sorted = samples;
    std::sort(sorted.begin(), sorted.end());
    std::string curve;
    for (long kib : samples) curve += " " + std::to_string(kib);
    std::printf(
        "soak: %d events, %d rounds, %d answers, %d caught; resident KiB every %d events:%s "
        "(first %ld, median %ld, last %ld)\n",
        events, rounds, answers, caught, sample_every, curve.c_str(), samples.front(),
        sorted[sorted.size() / 2], samples.back());
#if !defined(BOLVENDA_SANITIZED)
    // The first sample is the warm-up: every size-dependent cache has been made once by then.
    // (The sanitizers keep freed memory in quarantine: there only the screens are held.)
    EXPECT_LT(sorted.back() - samples.front(), 1024) << "resident memory grew:" << curve;
#endif
    EXPECT_GT(rounds, events / 500);
    EXPECT_GT(answers, events / 1000);
    x_->send_delete_window(window_);
    EXPECT_EQ(game_->wait_for_exit(10s), 0) << game_->standard_error();
}

}  // namespace
}  // namespace bolvenda::testing
