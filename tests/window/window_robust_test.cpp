// The real program under what a school PC does to it: signals in every state of the event
// loop, the X server going away or resetting as it starts, the window destroyed by another
// program, and window sizes it cannot draw at, 1 x 1, unmapped and mapped again.
#include <gtest/gtest.h>
#include <signal.h>
#include <xcb/xcb.h>

#include <fstream>
#include <memory>
#include <sstream>
#include <thread>

#include "play/tooltip_tracker.hpp"
#include "window_fixture.hpp"

namespace bolvenda::testing {
namespace {

const scene::Rect new_round_picture = design_rect("Image3");  // it has a tooltip

enum class Moment { Idle, TooltipPending, Resizing };

struct SignalCase {
    int signal;
    Moment moment;
    const char* name;
};

class Signals : public RealWindow, public ::testing::WithParamInterface<SignalCase> {
  protected:
    // Moves the pointer there and waits until the game has set a pointer of its own.
    ::testing::AssertionResult pointer_changes_over(Spot spot) {
        const std::optional<PointerImage> parked = x_->pointer_image();
        if (!parked) return ::testing::AssertionFailure() << "the X server cannot show its pointer";
        x_->move_pointer_to(window_, spot.x, spot.y);
        const auto deadline = std::chrono::steady_clock::now() + screen_timeout;
        while (std::chrono::steady_clock::now() < deadline) {
            const std::optional<PointerImage> now = x_->pointer_image();
            if (now && (now->argb != parked->argb || now->hot_x != parked->hot_x ||
                        now->hot_y != parked->hot_y))
                return ::testing::AssertionSuccess();
            std::this_thread::sleep_for(20ms);
        }
        return ::testing::AssertionFailure() << "the pointer did not change over the picture";
    }
};

TEST_P(Signals, EndTheGameAtOnceWithStatusZero) {
    const SignalCase c = GetParam();
    start_game();
    ASSERT_NE(window_, None);
    ASSERT_TRUE(shows(renderer().render(ExpectedGame().scene()), "start-up"));
    auto resize_burst = [&](int from) {
        for (int i = from; i < from + 15; ++i)
            x_->move_resize(window_, 0, 0, 500 + (i * 37) % 700, 400 + (i * 53) % 500);
    };
    if (c.moment == Moment::TooltipPending) {
        // Resting on Image3: once the game has shown its hand there, the loop waits with a
        // timeout for the tooltip to show.
        ASSERT_TRUE(pointer_changes_over(centre_of(new_round_picture)));
    } else if (c.moment == Moment::Resizing) {
        resize_burst(0);  // the game is still working through these when the signal comes
    }
    ASSERT_EQ(kill(game_->pid(), c.signal), 0);
    if (c.moment == Moment::Resizing) resize_burst(15);
    auto code = game_->wait_for_exit(5s);
    EXPECT_EQ(code, 0) << "stderr: " << game_->standard_error();
    EXPECT_TRUE(own_lines(game_->standard_error()).empty()) << game_->standard_error();
}

INSTANTIATE_TEST_SUITE_P(
    InEveryState, Signals,
    ::testing::Values(SignalCase{SIGTERM, Moment::Idle, "TermIdle"},
                      SignalCase{SIGINT, Moment::Idle, "IntIdle"},
                      SignalCase{SIGTERM, Moment::TooltipPending, "TermTooltipPending"},
                      SignalCase{SIGINT, Moment::TooltipPending, "IntTooltipPending"},
                      SignalCase{SIGTERM, Moment::Resizing, "TermResizing"},
                      SignalCase{SIGINT, Moment::Resizing, "IntResizing"}),
    [](const auto& info) { return std::string(info.param.name); });

using Robust = RealWindow;

TEST_F(Robust, TheXServerGoingAwayEndsTheGameWithOneLineAndAFailure) {
    auto xvfb = find_on_path("Xvfb");
    ASSERT_TRUE(xvfb);
    auto own = std::make_unique<XServer>(*xvfb);  // this test's alone: it is killed
    Launch launch;
    launch.argv = {BOLVENDA_GAME};
    launch.environment = on_display(own->display_name());
    ChildProcess game(launch);
    {
        XClient watcher(own->display_name());  // closed before the server goes
        ASSERT_TRUE(watcher.wait_for_window(scene::window_title, window_timeout));
    }
    const auto killed = std::chrono::steady_clock::now();
    own.reset();
    auto code = game.wait_for_exit(10s);
    const auto took = std::chrono::steady_clock::now() - killed;
    ASSERT_TRUE(code) << "the game hung after its display went away";
    EXPECT_NE(*code, 0);
    EXPECT_LT(*code, 128) << "ended by a signal (a crash or a core dump)";
    EXPECT_LT(took, 3s) << "a second is the aim; this allows for a loaded machine";
    auto lines = own_lines(game.standard_error());
    ASSERT_EQ(lines.size(), 1u) << game.standard_error();
    EXPECT_NE(lines[0].find("display"), std::string::npos) << lines[0];
}

// Waits up to ten seconds for a line of a file of /proc to match.
template <typename Match>
void wait_for_line(const std::string& file, Match match) {
    for (int wait = 0; wait < 1000; ++wait, std::this_thread::sleep_for(10ms)) {
        std::ifstream in(file);
        for (std::string line; std::getline(in, line);)
            if (match(line)) return;
    }
}

// A display that starts anew as its last client leaves (a check that it is up, a login screen)
// drops the connections it took before it noticed: the game's first one here, every time.
TEST_F(Robust, OnADisplayResettingAsTheGameConnectsTheWindowOpensEveryTime) {
    auto xvfb = find_on_path("Xvfb");
    ASSERT_TRUE(xvfb);
    for (int start = 0; start < 10; ++start) {
        XServer own(*xvfb, true);
        xcb_connection_t* last = xcb_connect(own.display_name().c_str(), nullptr);
        ASSERT_EQ(xcb_connection_has_error(last), 0);
        ASSERT_EQ(kill(own.pid(), SIGSTOP), 0);
        wait_for_line("/proc/" + std::to_string(own.pid()) + "/stat",
                      [](const std::string& l) { return l.find(") T ") != std::string::npos; });
        xcb_disconnect(last);  // seen by the server only beside the game's connection
        ChildProcess game({{game_under_test()}, on_display(own.display_name())});
        // The game's connection waits in the server's queue: connecting (02), at its address.
        const std::string address = " @/tmp/.X11-unix/X" + own.display_name().substr(1);
        wait_for_line("/proc/net/unix", [&](const std::string& l) {
            return l.ends_with(address) && l.find(" 02 ") != std::string::npos;
        });
        ASSERT_EQ(kill(own.pid(), SIGCONT), 0);
        XClient watcher(own.display_name());
        ASSERT_TRUE(watcher.wait_for_window(scene::window_title, window_timeout))
            << "start " << start << ": " << game.standard_error();
    }
}

TEST_F(Robust, AWindowDestroyedByAnotherProgramEndsTheGame) {
    start_game();
    ASSERT_NE(window_, None);
    ASSERT_TRUE(shows(renderer().render(ExpectedGame().scene()), "start-up"));
    x_->destroy(window_);
    EXPECT_EQ(game_->wait_for_exit(10s), 0) << game_->standard_error();
}

TEST_F(Robust, NoWindowSizeEndsTheGame) {
    ExpectedGame game;
    start_game();
    ASSERT_NE(window_, None);
    ASSERT_TRUE(shows(renderer().render(game.scene()), "start-up"));

    // Far beyond any surface: the game says so once and asks for the size that worked.
    x_->move_resize(window_, 0, 0, 32000, 32000);
    ASSERT_TRUE(shows(renderer().render(game.scene()), "back-from-too-large"));
    x_->move_resize(window_, 0, 0, 30000, 31000);
    ASSERT_TRUE(shows(renderer().render(game.scene()), "back-again"));
    EXPECT_TRUE(game_->running());

    // The next size that works paints normally; so do the smallest and an unmap and map.
    x_->move_resize(window_, 0, 0, 1000, 700);
    ASSERT_TRUE(shows(renderer().render(game.scene(), 1000, 700), "workable"));
    x_->move_resize(window_, 0, 0, 1, 1);
    ASSERT_TRUE(shows(renderer().render(game.scene(), 1, 1), "one-pixel"));
    x_->set_mapped(window_, false);
    x_->set_mapped(window_, true);
    x_->move_resize(window_, 0, 0, 900, 600);
    ASSERT_TRUE(shows(renderer().render(game.scene(), 900, 600), "restored"));

    // A size change while a tooltip is due, and one while it shows; then a round started at
    // the last size.
    const scene::Viewport at_900 = scene::Viewport::fit(900, 600);
    Spot tip = centre_of(new_round_picture, at_900);
    x_->move_pointer_to(window_, tip.x, tip.y);
    x_->move_resize(window_, 0, 0, 792, 566);
    scene::Layout layout(game.scene());
    play::TooltipTracker tips(layout);
    tips.pointer_moved(at_900.to_design(tip.x, tip.y), 0);
    tips.time_passed(play::TooltipTracker::rest_ms);
    ASSERT_TRUE(tips.shown());
    ASSERT_TRUE(shows(renderer().render(game.scene(), 792, 566, tips.shown()), "tooltip-shown"));
    x_->move_resize(window_, 0, 0, 700, 500);
    park_pointer();
    const Pixels at_700 = renderer().render(game.scene(), 700, 500);
    ASSERT_TRUE(shows(at_700, "smaller"));
    click_at(centre_of(new_round_picture, scene::Viewport::fit(700, 500)));
    EXPECT_TRUE(next_screen(at_700)) << "no round started at 700 x 500";
    EXPECT_TRUE(game_->running());

    auto lines = own_lines(game_->standard_error());
    ASSERT_EQ(lines.size(), 1u) << game_->standard_error();
    EXPECT_NE(lines[0].find("32000 x 32000"), std::string::npos) << lines[0];
    x_->send_delete_window(window_);
    EXPECT_EQ(game_->wait_for_exit(10s), 0) << game_->standard_error();
}

}  // namespace
}  // namespace bolvenda::testing
