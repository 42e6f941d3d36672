#include "window_fixture.hpp"

#include <cstdlib>
#include <filesystem>
#include <thread>

namespace bolvenda::testing {

namespace {

DisplayEnvironment* const environment =
    static_cast<DisplayEnvironment*>(::testing::AddGlobalTestEnvironment(new DisplayEnvironment));

// Where the pointer waits between clicks: on the screen, off every window the game opens.
constexpr int park_x = XServer::screen_width - 2;
constexpr int park_y = XServer::screen_height - 2;

}  // namespace

DisplayEnvironment& DisplayEnvironment::get() { return *environment; }

void DisplayEnvironment::SetUp() {
    auto xvfb = find_on_path("Xvfb");
    if (!xvfb) {
        missing_ = "Xvfb is not installed (scripts/install-deps.sh test installs it)";
        return;
    }
    game_ = game_program();
    if (!game_.missing.empty()) {
        missing_ = game_.missing;
        return;
    }
    try {
        server_ = std::make_unique<XServer>(*xvfb);
        if (!game_.prepare.empty()) failure_ = run_to_end(game_.prepare, "preparing the game");
    } catch (const std::exception& e) {
        failure_ = e.what();
    }
}

void DisplayEnvironment::TearDown() {
    if (server_ && !game_.finish.empty()) run_to_end(game_.finish, "after the last game");
    renderer_.reset();
    server_.reset();
}

std::string DisplayEnvironment::run_to_end(const std::vector<std::string>& argv,
                                           const std::string& what) {
    Launch launch{argv, on_display(server_->display_name(), game_.environment)};
    ChildProcess step(launch);
    const std::optional<int> status = step.wait_for_exit(180s);
    if (status == 0) return "";
    return what + " failed (" + (status ? "status " + std::to_string(*status) : "still running") +
           "): " + step.standard_error();
}

Offscreen& DisplayEnvironment::renderer() {
    if (!renderer_) renderer_ = std::make_unique<Offscreen>();
    return *renderer_;
}

std::vector<std::string> on_display(const std::string& name, std::vector<std::string> more) {
    more.insert(more.begin(), {"DISPLAY=" + name, "WAYLAND_DISPLAY", "SDL_VIDEODRIVER=x11"});
    return more;
}

void RealWindow::SetUp() {
    DisplayEnvironment& env = DisplayEnvironment::get();
    if (!env.missing().empty()) GTEST_SKIP() << env.missing();
    ASSERT_TRUE(env.failure().empty()) << env.failure();
    display_ = env.server()->display_name();
    x_ = std::make_unique<XClient>(display_);
    park_pointer();
}

void RealWindow::start_game(const std::vector<std::string>& environment, bool wait,
                            const std::vector<std::string>& arguments) {
    Launch launch;
    DisplayEnvironment& env = DisplayEnvironment::get();
    launch.argv = env.game().argv;
    launch.argv.insert(launch.argv.end(), arguments.begin(), arguments.end());
    std::vector<std::string> changes = env.game().environment;
    changes.insert(changes.end(), environment.begin(), environment.end());
    launch.environment = on_display(display_, changes);
    game_ = std::make_unique<ChildProcess>(launch);
    if (wait) window_ = x_->wait_for_window(scene::window_title, window_timeout).value_or(None);
}

Pixels RealWindow::screen_now() {
    for (int attempt = 0; attempt < 100; ++attempt) {
        if (auto pixels = x_->capture(window_)) return *pixels;
        std::this_thread::sleep_for(10ms);
    }
    ADD_FAILURE() << "the game's window cannot be read";
    return {};
}

void RealWindow::save(const Pixels& pixels, const std::string& name) {
    const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
    const std::filesystem::path dir =
        std::filesystem::path(BOLVENDA_WINDOW_SHOTS) / DisplayEnvironment::get().game().shots;
    std::error_code ignored;
    std::filesystem::create_directories(dir, ignored);
    write_ppm(pixels, (dir / (std::string(test->name()) + "-" + name + ".ppm")).string());
}

::testing::AssertionResult RealWindow::shows(const Pixels& expected, const std::string& step,
                                             std::optional<scene::Rect> area) {
    const auto deadline = std::chrono::steady_clock::now() + screen_timeout;
    Pixels seen;
    Difference d;
    do {
        if (auto pixels = x_->capture(window_)) {
            seen = std::move(*pixels);
            d = compare(seen, expected, area, DisplayEnvironment::get().game().tolerance);
            if (d.count == 0) break;
        } else {
            d.count = -1;
        }
        std::this_thread::sleep_for(20ms);
    } while (std::chrono::steady_clock::now() < deadline);
    save(seen, step);
    if (d.count == 0) return ::testing::AssertionSuccess();
    save(expected, step + "-expected");
    return ::testing::AssertionFailure()
           << step << ": the window (" << seen.width << "x" << seen.height
           << ") does not show the offscreen render (" << expected.width << "x" << expected.height
           << "): " << d.describe() << "; pictures in " << BOLVENDA_WINDOW_SHOTS << "/"
           << DisplayEnvironment::get().game().shots;
}

void RealWindow::click_at(Spot spot) {
    x_->click(window_, spot.x, spot.y);
    park_pointer();
}

void RealWindow::park_pointer() { x_->move_pointer_to_screen(park_x, park_y); }

std::optional<Pixels> RealWindow::next_screen(const Pixels& before) {
    const auto deadline = std::chrono::steady_clock::now() + screen_timeout;
    std::optional<Pixels> last;
    while (std::chrono::steady_clock::now() < deadline) {
        std::optional<Pixels> now = x_->capture(window_);
        if (now && *now != before && last && *now == *last) return now;
        last = std::move(now);
        std::this_thread::sleep_for(40ms);
    }
    return std::nullopt;
}

}  // namespace bolvenda::testing
