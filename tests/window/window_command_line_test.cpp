// The program's options in the real process: a wrong one is refused with status 2 before any
// window opens; the window's class is the name the desktop entry gives it.
#include <gtest/gtest.h>

#include "window_fixture.hpp"

namespace bolvenda::testing {
namespace {

using CommandLine = RealWindow;

TEST_F(CommandLine, AWrongOptionIsRefusedWithStatusTwoAndNoWindow) {
    start_game({}, false, {"--fulscreen"});
    EXPECT_EQ(game_->wait_for_exit(10s), 2);
    const std::string err = game_->standard_error();
    EXPECT_EQ(err.rfind("Bolvenda: unknown option '--fulscreen'\nUsage: bolvenda", 0), 0u) << err;
    EXPECT_FALSE(x_->viewable_window_titled(scene::window_title));
}

TEST_F(CommandLine, TheWindowsClassIsTheDesktopEntrysName) {
    start_game();
    ASSERT_NE(window_, None);
    EXPECT_EQ(x_->class_of(window_), BOLVENDA_APP_ID) << "StartupWMClass of the desktop entry";
    x_->send_delete_window(window_);
    EXPECT_EQ(game_->wait_for_exit(10s), 0) << game_->standard_error();
}

}  // namespace
}  // namespace bolvenda::testing
