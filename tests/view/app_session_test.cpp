// The event loop on SDL's dummy video driver: real SDL events in, the game's state out, with
// no display. Pointer positions are window pixels, as SDL reports them.
#include <gtest/gtest.h>

#include <SDL.h>

#include <cmath>
#include <limits>

#include "../driver.hpp"
#include "app/session.hpp"
#include "runtime/runtime_error.hpp"
#include "scene/assets/assets.hpp"
#include "scene/view/game_window.hpp"
#include "scene/view/painter.hpp"
#include "scene/view/picture_set.hpp"
#include "scene/view/sdl_library.hpp"
#include "scene/view/text_renderer.hpp"
#include "scene/view/platform.hpp"

namespace bolvenda::testing {
namespace {

class SessionTest : public ::testing::Test {
protected:
    // In the environment, not as a hint: SDL_Quit at the end of each test clears the hints.
    static void SetUpTestSuite() { setenv("SDL_VIDEODRIVER", "dummy", 1); }

    view::SdlLibrary sdl;
    SteppingClock clock{50000.5f, 3.1f};
    game::GameCore core{clock};
    view::PictureSet pictures;
    view::TextRenderer labels{assets::typeface(assets::Typeface::Bold)};
    view::TextRenderer tips{assets::typeface(assets::Typeface::Regular)};
    view::Painter painter{pictures, labels, tips};
    view::GameWindow window;

    void push(SDL_Event e) {
        e.common.timestamp = SDL_GetTicks();
        ASSERT_EQ(SDL_PushEvent(&e), 1) << SDL_GetError();
    }
    void move(int x, int y) {
        SDL_Event e{};
        e.type = SDL_MOUSEMOTION;
        e.motion.windowID = window.id();
        e.motion.x = x;
        e.motion.y = y;
        push(e);
    }
    void button(Uint32 type, int x, int y, Uint8 which = SDL_BUTTON_LEFT) {
        SDL_Event e{};
        e.type = type;
        e.button.windowID = window.id();
        e.button.button = which;
        e.button.state = type == SDL_MOUSEBUTTONDOWN ? SDL_PRESSED : SDL_RELEASED;
        e.button.x = x;
        e.button.y = y;
        push(e);
    }
    void click(int x, int y, Uint8 which = SDL_BUTTON_LEFT) {
        move(x, y);
        button(SDL_MOUSEBUTTONDOWN, x, y, which);
        button(SDL_MOUSEBUTTONUP, x, y, which);
    }
    void close_window() {
        SDL_Event e{};
        e.type = SDL_WINDOWEVENT;
        e.window.windowID = window.id();
        e.window.event = SDL_WINDOWEVENT_CLOSE;
        push(e);
    }
};

TEST_F(SessionTest, PlaysARoundAndEndsWhenTheWindowCloses) {
    click(40, 530);                   // Image3: a new round
    click(40, 530, SDL_BUTTON_RIGHT);  // only the left button clicks
    close_window();
    app::Session session(core, window, painter);
    session.run();
    EXPECT_TRUE(core.events().ended());
    EXPECT_EQ(core.form().mosche, 1.0f);
    EXPECT_TRUE(core.scene().Label(1).enabled()) << "the round is open";
    EXPECT_FALSE(core.scene().Image(3).enabled());
}

TEST_F(SessionTest, AnswersThroughTheLineAndEndsOnTheSleepingFrog) {
    // A twin game on the same clock draws the same exercise: it tells where to click.
    Driver twin(50000.5f, 3.1f);
    twin.new_round();
    const int somma = static_cast<int>(twin.form().somma);
    click(40, 530);
    move(48 + 32 * somma + 16, 490);
    button(SDL_MOUSEBUTTONDOWN, 48 + 32 * somma + 16, 490);
    move(48 + 32 * somma + 20, 495);  // a child's hand moves a little; still the same number
    button(SDL_MOUSEBUTTONUP, 48 + 32 * somma + 20, 495);
    click(110, 530);  // Image9: End
    click(40, 530);   // after End nothing more is delivered
    app::Session session(core, window, painter);
    session.run();
    EXPECT_TRUE(core.events().ended());
    EXPECT_EQ(core.form().somma, static_cast<float>(somma));
    EXPECT_EQ(core.form().cattura, 1.0f);
    EXPECT_EQ(core.form().mosche, 1.0f);
    EXPECT_EQ(core.scene().Label(26).caption(), std::to_string(somma));
    SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
}

TEST_F(SessionTest, QuitEventEndsTheProgram) {
    SDL_Event quit{};
    quit.type = SDL_QUIT;
    push(quit);
    app::Session session(core, window, painter);
    session.run();
    EXPECT_TRUE(core.events().ended());
    EXPECT_EQ(core.form().mosche, 0.0f);
}

TEST_F(SessionTest, ARuntimeErrorInAHandlerEndsTheLoopAfterTheStepsDone) {
    core.form().mosche = std::numeric_limits<float>::infinity();  // the count cannot rise
    click(40, 530);
    click(110, 530);  // never reached: the program has ended
    app::Session session(core, window, painter);
    int number = 0;
    try {
        session.run();
    } catch (const runtime::RuntimeError& e) {
        number = e.number();
    }
    EXPECT_EQ(number, 6);
    EXPECT_TRUE(core.events().ended());
    EXPECT_FALSE(core.scene().Image(3).enabled()) << "the step before the error stays done";
}

TEST_F(SessionTest, PointerInTheLetterboxAndOnTheExitPicture) {
    SDL_SetWindowSize(window.handle(), 1000, 566);  // letterbox of 104 pixels left and right
    SDL_Event resized{};
    resized.type = SDL_WINDOWEVENT;
    resized.window.windowID = window.id();
    resized.window.event = SDL_WINDOWEVENT_SIZE_CHANGED;
    push(resized);
    click(50, 530);         // in the left letterbox: not Image3
    click(104 + 110, 530);  // Image9, shifted by the letterbox: End
    app::Session session(core, window, painter);
    session.run();
    EXPECT_EQ(core.form().mosche, 0.0f);
    EXPECT_TRUE(core.events().ended());
}

TEST_F(SessionTest, F11SwitchesFullScreenAndThePointerFollowsTheScaledScene) {
    app::Session session(core, window, painter);
    session.start();
    auto f11 = [&] {
        SDL_Event key{};
        key.type = SDL_KEYDOWN;
        key.key.windowID = window.id();
        key.key.keysym.sym = SDLK_F11;
        push(key);
        for (SDL_Event e; SDL_PollEvent(&e);) session.dispatch(&e);
    };
    SDL_Rect display{};
    ASSERT_EQ(SDL_GetDisplayBounds(0, &display), 0) << SDL_GetError();
    f11();
    ASSERT_TRUE(SDL_GetWindowFlags(window.handle()) & SDL_WINDOW_FULLSCREEN);
    const scene::Viewport full = window.viewport();
    ASSERT_EQ(SDL_GetWindowSurface(window.handle())->w, display.w);
    ASSERT_NE(full.scale(), 1.0);

    // Image3 where the scaled scene shows it, not where the design puts it.
    const scene::Rect image3 = full.to_window({8, 512, 64, 37});
    click(image3.left + image3.width / 2, image3.top + image3.height / 2);
    for (SDL_Event e; SDL_PollEvent(&e);) session.dispatch(&e);
    EXPECT_EQ(core.form().mosche, 1.0f);

    f11();  // the window's size comes back from the window manager, which this driver lacks
    EXPECT_FALSE(SDL_GetWindowFlags(window.handle()) & SDL_WINDOW_FULLSCREEN);
}

}  // namespace
}  // namespace bolvenda::testing

namespace bolvenda::testing {
namespace {

TEST_F(SessionTest, ASizeWithNoSurfaceKeepsTheGameAndAsksForTheSizeThatWorked) {
    app::Session session(core, window, painter);
    session.start();
    SDL_SetWindowSize(window.handle(), 700, 600000000);  // far beyond any surface
    SDL_Event event;
    while (SDL_PollEvent(&event) != 0) session.dispatch(&event);
    EXPECT_EQ(window.size(), (view::PixelSize{scene::design_width, scene::design_height}));
    ASSERT_NE(SDL_GetWindowSurface(window.handle()), nullptr);

    click(40, 530);  // Image3, mapped at the size the window is back at
    while (SDL_PollEvent(&event) != 0) session.dispatch(&event);
    EXPECT_FALSE(session.ended());
    EXPECT_EQ(core.form().mosche, 1.0f);
}

TEST(SystemClockReading, IsWithinADay) {
    view::SystemClock clock;
    float t = clock.seconds_since_midnight();
    EXPECT_GE(t, 0.0f);
    EXPECT_LT(t, 86401.0f);
}

}  // namespace
}  // namespace bolvenda::testing
