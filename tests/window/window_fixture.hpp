// One Xvfb and one offscreen renderer for the whole suite; each test starts its own game in
// it and plays through real pointer events, comparing the window with the offscreen render.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "game_program.hpp"
#include "scene/layout.hpp"
#include "tests/support/design.hpp"
#include "tests/support/expected_game.hpp"
#include "tests/support/offscreen.hpp"
#include "x_display.hpp"

namespace bolvenda::testing {

using Spot = scene::Point;  // a window position

// The suite's display: started once, stopped at the end of the run.
class DisplayEnvironment : public ::testing::Environment {
  public:
    void SetUp() override;
    void TearDown() override;

    static DisplayEnvironment& get();
    XServer* server() { return server_.get(); }
    Offscreen& renderer();
    const GameProgram& game() const { return game_; }
    const std::string& missing() const { return missing_; }  // why there is no display
    const std::string& failure() const { return failure_; }

    // Runs a program on the display, with the game's environment, to its end; why it failed,
    // or empty.
    std::string run_to_end(const std::vector<std::string>& argv, const std::string& what);

  private:
    std::unique_ptr<XServer> server_;
    std::unique_ptr<Offscreen> renderer_;
    GameProgram game_;
    std::string missing_;
    std::string failure_;
};

class RealWindow : public ::testing::Test {
  protected:
    static constexpr auto window_timeout = 20s;  // start-up under the sanitizers on a busy machine
    static constexpr auto screen_timeout = 10s;

    void SetUp() override;

    // Starts the game with these environment changes and arguments and waits for its window
    // (None if it never opened), unless told not to wait.
    void start_game(const std::vector<std::string>& environment = {}, bool wait = true,
                    const std::vector<std::string>& arguments = {});
    // Waits until the window shows `expected`; saves both pictures under `step` either way.
    ::testing::AssertionResult shows(const Pixels& expected, const std::string& step,
                                     std::optional<scene::Rect> area = {});
    // Clicks at a window position and moves the pointer off the window again, so that
    // no tooltip or pointer shape stands in the picture.
    void click_at(Spot spot);
    // Puts the pointer on the screen off the game's window (or on its letterbox where the
    // window covers the screen).
    void park_pointer();
    // Waits until the window shows something other than `before` and holds still.
    std::optional<Pixels> next_screen(const Pixels& before);
    Pixels screen_now();

    void save(const Pixels& pixels, const std::string& name);

    Offscreen& renderer() { return DisplayEnvironment::get().renderer(); }

    std::string display_;  // where start_game() opens the game
    std::unique_ptr<XClient> x_;
    std::unique_ptr<ChildProcess> game_;
    Window window_ = None;
};

// The Linux program under test: the build's own, or the installed one that
// BOLVENDA_GAME_UNDER_TEST names (in the Linux suite only).
std::string game_under_test();

// A child's environment with this display and the window system it speaks.
std::vector<std::string> on_display(const std::string& name, std::vector<std::string> more = {});

// The lines of the program's standard error that start "Bolvenda:".
inline std::vector<std::string> own_lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        if (line.rfind("Bolvenda: ", 0) == 0) lines.push_back(line);
    return lines;
}

}  // namespace bolvenda::testing
