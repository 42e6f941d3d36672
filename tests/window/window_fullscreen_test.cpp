// Full screen on a display of its own: with evilwm on it, which grants it, and with no window
// manager at all, as a kiosk starts X straight into the game. --fullscreen opens on the whole
// screen, F11 goes back to the window and again to full screen, the whole scene scaled each
// time, and the pointer lands where the scene shows.
#include <X11/keysym.h>
#include <gtest/gtest.h>

#include <thread>

#include "window_fixture.hpp"

namespace bolvenda::testing {
namespace {

constexpr int screen_w = XServer::screen_width, screen_h = XServer::screen_height;
const scene::Rect exit_picture = design_rect("Image9");

class FullScreen : public RealWindow {
  protected:
    virtual bool managed() const { return true; }
    void SetUp() override {
        auto xvfb = find_on_path("Xvfb");
        auto evilwm = find_on_path("evilwm");
        if (!xvfb || !evilwm)
            GTEST_SKIP() << "Xvfb and evilwm are needed (scripts/install-deps.sh test)";
        server_ = std::make_unique<XServer>(*xvfb);
        display_ = server_->display_name();
        x_ = std::make_unique<XClient>(display_);
        if (!managed()) return;
        Launch wm;
        wm.argv = {*evilwm, "-fn", "fixed"};
        wm.environment = {"DISPLAY=" + display_};
        wm_ = std::make_unique<ChildProcess>(wm);
        const auto deadline = std::chrono::steady_clock::now() + 10s;
        while (!x_->has_window_manager() && std::chrono::steady_clock::now() < deadline)
            std::this_thread::sleep_for(20ms);
        ASSERT_TRUE(x_->has_window_manager()) << "evilwm did not start: " << wm_->standard_error();
    }
    void TearDown() override {
        game_.reset();
        wm_.reset();
        x_.reset();
        server_.reset();
    }

    // Polls until the window has this size.
    bool sized(int width, int height) {
        const auto deadline = std::chrono::steady_clock::now() + screen_timeout;
        for (;;) {
            auto state = x_->state_of(window_);
            if (state && state->width == width && state->height == height) return true;
            if (std::chrono::steady_clock::now() >= deadline) return false;
            std::this_thread::sleep_for(20ms);
        }
    }
    void f11() {
        x_->focus(window_);
        x_->press_key(XK_F11);
    }

    void play_in_full_screen() {
        ExpectedGame game;
        start_game({}, true, {"--fullscreen"});
        ASSERT_NE(window_, None) << game_->standard_error();
        ASSERT_TRUE(sized(screen_w, screen_h)) << "not full screen";
        ASSERT_TRUE(shows(renderer().render(game.scene(), screen_w, screen_h), "full-screen"));

        f11();
        ASSERT_TRUE(sized(scene::design_width, scene::design_height))
            << "F11 did not leave full screen";
        ASSERT_TRUE(shows(renderer().render(game.scene()), "window"));

        f11();
        ASSERT_TRUE(sized(screen_w, screen_h)) << "F11 did not go to full screen";
        ASSERT_TRUE(
            shows(renderer().render(game.scene(), screen_w, screen_h), "full-screen-again"));

        // The sleeping frog where the scaled scene shows it.
        click_at(centre_of(exit_picture, scene::Viewport::fit(screen_w, screen_h)));
        EXPECT_EQ(game_->wait_for_exit(10s), 0) << game_->standard_error();
    }

    std::unique_ptr<XServer> server_;
    std::unique_ptr<ChildProcess> wm_;
};

class Kiosk : public FullScreen {
  protected:
    bool managed() const override { return false; }
};

TEST_F(FullScreen, OpensOnTheWholeScreenAndF11SwitchesBothWays) { play_in_full_screen(); }

// With no window manager to grant it, the game covers the screen itself.
TEST_F(Kiosk, OpensOnTheWholeScreenAndF11SwitchesBothWays) {
    ASSERT_FALSE(x_->has_window_manager());
    play_in_full_screen();
}

}  // namespace
}  // namespace bolvenda::testing
