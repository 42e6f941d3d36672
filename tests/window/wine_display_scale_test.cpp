// Bolvenda.exe on a Windows display scaled to 125 %: it declares itself DPI aware, so Windows
// does not stretch its pixels; the window is made a quarter larger and the scene drawn to fit.
// Wine tells every program the display's scale, aware or not: this checks the window's size
// and drawing; that the manifest asks Windows for it is read from the file (tests/windows).
#include <gtest/gtest.h>

#include "window_fixture.hpp"

namespace bolvenda::testing {
namespace {

const scene::Rect exit_picture = design_rect("Image9");

class WineDisplayScale : public RealWindow {
  protected:
    // `wine reg ARGS...` in the game's Wine prefix: where Wine keeps the display's scale.
    bool wine_reg(std::vector<std::string> args) {
        const GameProgram& game = DisplayEnvironment::get().game();
        Launch launch{
            {game.argv.front(), "reg"},
            on_display(DisplayEnvironment::get().server()->display_name(), game.environment)};
        launch.argv.insert(launch.argv.end(), args.begin(), args.end());
        ChildProcess reg(launch);
        return reg.wait_for_exit(60s) == 0;
    }
    void TearDown() override {
        if (game_) game_->stop(5s);
        if (scaled_) wine_reg({"delete", desktop, "/v", "LogPixels", "/f"});
    }
    static constexpr const char* desktop = "HKCU\\Control Panel\\Desktop";
    bool scaled_ = false;
};

TEST_F(WineDisplayScale, AtOneAndAQuarterTheWindowIsAQuarterLargerAndTheSceneWithIt) {
    scaled_ = wine_reg({"add", desktop, "/v", "LogPixels", "/t", "REG_DWORD", "/d", "120", "/f"});
    ASSERT_TRUE(scaled_) << "the display's scale cannot be set";
    ExpectedGame game;
    start_game();
    ASSERT_NE(window_, None);
    auto state = x_->state_of(window_);
    ASSERT_TRUE(state);
    constexpr int width = 990, height = 708;  // 792 x 566 at 125 %
    EXPECT_EQ(state->width, width);
    EXPECT_EQ(state->height, height);
    ASSERT_TRUE(shows(renderer().render(game.scene(), width, height), "start-up-at-125"));

    click_at(centre_of(exit_picture, scene::Viewport::fit(width, height)));
    EXPECT_EQ(game_->wait_for_exit(10s), 0) << game_->standard_error();
}

}  // namespace
}  // namespace bolvenda::testing
