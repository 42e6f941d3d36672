// One short real-window game under valgrind's memcheck: start-up, a round, its answer and the
// sleeping frog. No error, and nothing definitely lost outside the system libraries that
// tests/window/valgrind.supp names. Runs where BOLVENDA_VALGRIND gives valgrind's path.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "window_fixture.hpp"

namespace bolvenda::testing {
namespace {

const scene::Rect new_round_picture = design_rect("Image3");
const scene::Rect exit_picture = design_rect("Image9");

class Memcheck : public RealWindow {
  protected:
    static constexpr int found_errors = 99;  // what valgrind exits with when it found any

    void start_under_valgrind(const std::string& valgrind, const std::string& log) {
        Launch launch;
        launch.argv = {
            valgrind, "--error-exitcode=" + std::to_string(found_errors), "--leak-check=full",
            "--show-leak-kinds=definite", "--errors-for-leak-kinds=definite",
            // libdbus forks a helper that never returns to our code; its exit is not the game's
            "--child-silent-after-fork=yes", "--num-callers=30",
            "--suppressions=" BOLVENDA_VALGRIND_SUPPRESSIONS, "--log-file=" + log, BOLVENDA_GAME};
        launch.environment = on_display(DisplayEnvironment::get().server()->display_name());
        game_ = std::make_unique<ChildProcess>(launch);
        window_ = x_->wait_for_window(scene::window_title, 120s).value_or(None);
    }
};

TEST_F(Memcheck, AShortGameHasNoErrorsAndLosesNothing) {
    const char* valgrind = std::getenv("BOLVENDA_VALGRIND");
    if (valgrind == nullptr || *valgrind == '\0') GTEST_SKIP() << "BOLVENDA_VALGRIND is not set";
    const std::string log = std::string(BOLVENDA_WINDOW_SHOTS) + "/memcheck.log";
    start_under_valgrind(valgrind, log);
    ASSERT_NE(window_, None) << "no window under valgrind";

    ExpectedGame game;
    const auto slow = 60s;  // valgrind runs the game some fifty times slower
    auto deadline = std::chrono::steady_clock::now() + slow;
    while (x_->capture(window_) != renderer().render(game.scene()) &&
           std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(200ms);
    const Pixels before = screen_now();
    click_at(centre_of(new_round_picture));
    std::optional<Round> round;
    deadline = std::chrono::steady_clock::now() + slow;
    while (!round && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(300ms);
        if (auto now = x_->capture(window_); now && *now != before)
            round = find_round(*now, renderer());
    }
    ASSERT_TRUE(round) << "the round never showed";
    click_at(centre_of(number_label(round->somma)));
    std::this_thread::sleep_for(1s);
    click_at(centre_of(exit_picture));

    auto code = game_->wait_for_exit(120s);
    std::ifstream in(log);
    std::stringstream report;
    report << in.rdbuf();
    ASSERT_TRUE(code) << "the game did not end under valgrind";
    EXPECT_EQ(*code, 0) << (*code == found_errors ? "memcheck found errors:\n"
                                                  : "the game failed:\n")
                        << report.str();
    EXPECT_NE(report.str().find("ERROR SUMMARY: 0 errors"), std::string::npos) << report.str();
}

}  // namespace
}  // namespace bolvenda::testing
