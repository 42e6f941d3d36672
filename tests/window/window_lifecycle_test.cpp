// How the real program starts and ends: its window's class, closed by its frame, and its
// start-up failures, each said once on stderr in English (and in a box where there is a
// screen). It needs no installed font.
#include <X11/keysym.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "window_fixture.hpp"

namespace bolvenda::testing {
namespace {

// A fontconfig configuration that names no font directory at all.
class EmptyFontConfig {
  public:
    EmptyFontConfig() {
        char dir[] = "/tmp/bolvenda-fonts-XXXXXX";
        if (mkdtemp(dir) == nullptr) throw std::runtime_error("no temporary directory");
        dir_ = dir;
        std::ofstream(file()) << "<?xml version=\"1.0\"?>\n"
                                 "<!DOCTYPE fontconfig SYSTEM \"urn:fontconfig:fonts.dtd\">\n"
                                 "<fontconfig>\n"
                                 "  <cachedir>"
                              << dir_.string()
                              << "</cachedir>\n"
                                 "</fontconfig>\n";
    }
    ~EmptyFontConfig() {
        std::error_code ignored;
        std::filesystem::remove_all(dir_, ignored);
    }
    std::string file() const { return (dir_ / "fonts.conf").string(); }

  private:
    std::filesystem::path dir_;
};

using Lifecycle = RealWindow;

TEST_F(Lifecycle, TheWindowsClassIsTheDesktopEntrysName) {
    start_game();
    ASSERT_NE(window_, None);
    EXPECT_EQ(x_->class_of(window_), BOLVENDA_APP_ID) << "StartupWMClass of the desktop entry";
    x_->send_delete_window(window_);
    EXPECT_EQ(game_->wait_for_exit(10s), 0) << game_->standard_error();
}

TEST_F(Lifecycle, ClosingTheWindowByItsFrameEndsTheGameWithStatusZero) {
    start_game();
    ASSERT_NE(window_, None) << "the game's window did not appear";
    ASSERT_TRUE(shows(renderer().render(ExpectedGame().scene()), "start-up"));
    x_->send_delete_window(window_);
    EXPECT_EQ(game_->wait_for_exit(10s), 0) << game_->standard_error();
}

TEST_F(Lifecycle, WithoutAnyInstalledFontTheGameDrawsItsOwnText) {
    EmptyFontConfig fonts;
    start_game({"FONTCONFIG_FILE=" + fonts.file()});
    ASSERT_NE(window_, None) << "the game's window did not appear: " << game_->standard_error();
    EXPECT_TRUE(shows(renderer().render(ExpectedGame().scene()), "start-up without fonts"));
    x_->send_delete_window(window_);
    EXPECT_EQ(game_->wait_for_exit(10s), 0) << game_->standard_error();
}

TEST_F(Lifecycle, AFailedStartABoxSaysSoAndTheGameFails) {
    // A display that works, but a video driver that does not exist: the window cannot open.
    start_game({"SDL_VIDEODRIVER=no-such-driver"}, false);

    auto box = x_->wait_for_window("Bolvenda", window_timeout);
    ASSERT_TRUE(box) << "no message box titled \"Bolvenda\"; stderr: " << game_->standard_error();
    EXPECT_FALSE(x_->viewable_window_titled(scene::window_title))
        << "the game's window opened without its video driver";
    auto where = x_->state_of(*box);
    ASSERT_TRUE(where);
    EXPECT_TRUE(game_->running()) << "the game did not wait for the box to be dismissed";
    if (auto shot = x_->capture(*box)) save(*shot, "failed-start-box");

    // Dismissed with the keyboard, as its default button says.
    x_->move_pointer_to(*box, where->width / 2, where->height / 2);
    x_->focus(*box);
    x_->press_key(XK_Return);
    auto code = game_->wait_for_exit(10s);
    ASSERT_TRUE(code) << "the game did not end after its box was dismissed";
    EXPECT_NE(*code, 0);
    auto lines = own_lines(game_->standard_error());
    ASSERT_EQ(lines.size(), 1u) << game_->standard_error();
    EXPECT_NE(lines[0].find("window"), std::string::npos) << lines[0];
}

// No Xvfb needed: this is the machine without a display.
TEST(StartUp, WithoutADisplayTheGameFailsWithOneEnglishLine) {
    Launch launch;
    launch.argv = {BOLVENDA_GAME};
    launch.environment = {"DISPLAY", "WAYLAND_DISPLAY", "SDL_VIDEODRIVER"};
    ChildProcess game(launch);
    auto code = game.wait_for_exit(10s);
    ASSERT_TRUE(code) << "the game did not end without a display";
    EXPECT_NE(*code, 0);
    EXPECT_LT(*code, 128) << "ended by a signal";
    auto lines = own_lines(game.standard_error());
    ASSERT_EQ(lines.size(), 1u) << game.standard_error();
    EXPECT_NE(lines[0].find("display"), std::string::npos) << lines[0];
}

}  // namespace
}  // namespace bolvenda::testing
