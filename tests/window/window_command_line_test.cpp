// The program's command line in the real process: what it does not know (a file a desktop
// asks it to open, a mistyped option) is one line on standard error, and the game plays.
#include <gtest/gtest.h>

#include "window_fixture.hpp"

namespace bolvenda::testing {
namespace {

using CommandLine = RealWindow;

TEST_F(CommandLine, WhatItDoesNotKnowIsOneLineAndTheGamePlays) {
    start_game({}, true, {"compiti di casa.gif", "--fulscreen"});
    ASSERT_NE(window_, None) << game_->standard_error();
    ExpectedGame game;
    ASSERT_TRUE(shows(renderer().render(game.scene()), "start-up"));
    const Pixels before = screen_now();
    click_at(centre_of(design_rect("Image3")));
    EXPECT_TRUE(next_screen(before)) << "the happy face did not start a round";
    x_->send_delete_window(window_);
    EXPECT_EQ(game_->wait_for_exit(10s), 0) << game_->standard_error();
    const auto lines = own_lines(game_->standard_error());
    ASSERT_EQ(lines.size(), 1u) << game_->standard_error();
    EXPECT_EQ(lines[0].rfind("Bolvenda: ignored 'compiti di casa.gif' '--fulscreen' (", 0), 0u)
        << lines[0];
}

}  // namespace
}  // namespace bolvenda::testing
