// The event loop on SDL's dummy video driver: real SDL events in, the game's state out, with
// no display. Pointer positions are window pixels, as SDL reports them.
#include <SDL.h>
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "platform/sdl/game_window.hpp"
#include "platform/sdl/sdl_library.hpp"
#include "platform/sdl/session.hpp"
#include "platform/sdl/system.hpp"
#include "runtime/runtime_error.hpp"
#include "tests/support/design.hpp"
#include "tests/support/driver.hpp"
#include "tests/support/offscreen.hpp"
#include "tests/support/sdl_events.hpp"

namespace bolvenda::testing {
namespace {

class SessionTest : public ::testing::Test {
  protected:
    // In the environment, not as a hint: SDL_Quit at the end of each test clears the hints.
    static void SetUpTestSuite() { setenv("SDL_VIDEODRIVER", "dummy", 1); }

    sdl::SdlLibrary sdl;
    SteppingClock clock{50000.5f, 3.1f};
    game::GameCore core{clock};
    Offscreen drawing;  // for its painter, pictures and fonts
    render::Painter& painter = drawing.painter();
    sdl::GameWindow window;

    void move(int x, int y) { push(pointer_motion(window.id(), x, y)); }
    void button(bool down, int x, int y) { push(pointer_button(window.id(), down, x, y)); }
    void click(int x, int y, Uint8 which = SDL_BUTTON_LEFT) {
        move(x, y);
        push(pointer_button(window.id(), true, x, y, which));
        push(pointer_button(window.id(), false, x, y, which));
    }
};

TEST_F(SessionTest, PlaysARoundAndEndsWhenTheWindowCloses) {
    click(40, 530);                    // Image3: a new round
    click(40, 530, SDL_BUTTON_RIGHT);  // only the left button clicks
    push(window_event(window.id(), SDL_WINDOWEVENT_CLOSE));
    sdl::Session session(core, window, painter);
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
    button(true, 48 + 32 * somma + 16, 490);
    move(48 + 32 * somma + 20, 495);  // a child's hand moves a little; still the same number
    button(false, 48 + 32 * somma + 20, 495);
    click(110, 530);  // Image9: End
    click(40, 530);   // after End nothing more is delivered
    sdl::Session session(core, window, painter);
    session.run();
    EXPECT_TRUE(core.events().ended());
    EXPECT_EQ(core.form().somma, static_cast<float>(somma));
    EXPECT_EQ(core.form().cattura, 1.0f);
    EXPECT_EQ(core.form().mosche, 1.0f);
    EXPECT_EQ(core.scene().Label(26).caption(), std::to_string(somma));
    SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
}

TEST_F(SessionTest, ANewRoundInMidLeapShowsAtOnceWithNoFrogInTheAir) {
    Driver twin(50000.5f, 3.1f);
    twin.new_round();
    const int somma = static_cast<int>(twin.form().somma);
    sdl::Session session(core, window, painter);
    session.start();
    using Event = play::FrogLeap::Event;
    std::vector<Event> seen;  // what the leap did while the events were delivered
    auto deliver = [&] {
        seen.clear();
        for (SDL_Event e; SDL_PollEvent(&e);) {
            session.dispatch(&e);
            seen.insert(seen.end(), session.leap_events().begin(), session.leap_events().end());
        }
    };
    click(40, 530);
    deliver();
    EXPECT_FALSE(session.deadline()) << "no frames asked for while nothing moves";
    click(48 + 32 * somma + 16, 490);  // the answer: the frog leaps
    deliver();
    ASSERT_EQ(session.overlays().size(), 1u);
    const int n1 = static_cast<int>(twin.form().n1);
    EXPECT_EQ(seen, (std::vector<Event>{{Event::Kind::TookOff, n1, somma}}));
    ASSERT_TRUE(session.deadline()) << "the leap's next frame";
    EXPECT_EQ(core.form().cattura, 1.0f) << "the game does not wait for the leap";
    // A caption has no Click handler: the frog flies on (it may land in its own time).
    const scene::Point caption = centre_of(design_rect("Label22"));
    click(caption.x, caption.y);
    deliver();
    for (const Event& e : seen) EXPECT_NE(e.kind, Event::Kind::CutShort);
    click(40, 530);  // a new round before it lands
    deliver();
    EXPECT_TRUE(session.overlays().empty());
    EXPECT_FALSE(session.deadline());
    EXPECT_EQ(core.form().mosche, 2.0f);
    Offscreen expected;
    EXPECT_EQ(compare(pixels_of(view_of(*SDL_GetWindowSurface(window.handle()))),
                      expected.render(core.scene()))
                  .count,
              0);
}

// A round by keys alone, then with one switch: Enter, Space or any key click where the focus
// is, through the dispatcher as the pointer does, and the view follows (the leap, the ring).
TEST_F(SessionTest, KeysAndOneSwitchClickWhereTheFocusIs) {
    Driver twin(50000.5f, 3.1f);
    twin.new_round();
    const int n1 = static_cast<int>(twin.form().n1), somma = static_cast<int>(twin.form().somma);
    sdl::Session session(core, window, painter);
    session.start();
    auto deliver = [](sdl::Session& to) {
        for (SDL_Event e; SDL_PollEvent(&e);) to.dispatch(&e);
    };
    auto press = [&](SDL_Keycode key) { push(key_down(window.id(), key)), deliver(session); };
    auto ring_on = [](const sdl::Session& s, const std::string& name) {
        return s.focus_ring() == play::focus_ring_around(design_rect(name));
    };
    EXPECT_FALSE(session.focus_ring()) << "no ring for a pointer's user";
    EXPECT_FALSE(session.deadline()) << "no timer without the switch";
    press(SDLK_RETURN);
    EXPECT_TRUE(ring_on(session, "Label" + std::to_string(n1 + 1))) << "on the frog's number";
    for (int hop = n1; hop < somma; ++hop) press(SDLK_RIGHT);
    press(SDLK_SPACE);
    EXPECT_EQ(core.form().cattura, 1.0f);
    using Event = play::FrogLeap::Event;
    EXPECT_EQ(session.leap_events(), (std::vector<Event>{{Event::Kind::TookOff, n1, somma}}));
    EXPECT_TRUE(ring_on(session, "Image3")) << "after the answer";
    Offscreen expected;
    EXPECT_EQ(compare(pixels_of(view_of(*SDL_GetWindowSurface(window.handle()))),
                      expected.render(core.scene(), scene::design_width, scene::design_height,
                                      std::nullopt, session.overlays()))
                  .count,
              0);

    game::GameCore switched{clock};
    sdl::Session scan(switched, window, painter, false, 250);
    scan.start();
    EXPECT_TRUE(ring_on(scan, "Image3")) << "a switch's ring shows from the start";
    click(700, 100);  // the pond, far from the new-round picture
    deliver(scan);
    ASSERT_EQ(switched.form().mosche, 1.0f);
    const int first = static_cast<int>(switched.form().n1);
    while (SDL_GetTicks64() < scan.deadline().value_or(0)) SDL_Delay(10);
    scan.dispatch(nullptr);
    EXPECT_TRUE(ring_on(scan, "Label" + std::to_string(first + 2))) << "one step on by itself";
}

TEST_F(SessionTest, QuitEventEndsTheProgram) {
    push(quit_event());
    sdl::Session session(core, window, painter);
    session.run();
    EXPECT_TRUE(core.events().ended());
    EXPECT_EQ(core.form().mosche, 0.0f);
}

TEST_F(SessionTest, ARuntimeErrorInAHandlerEndsTheLoopAfterTheStepsDone) {
    core.form().mosche = std::numeric_limits<float>::infinity();  // the count cannot rise
    click(40, 530);
    click(110, 530);  // never reached: the program has ended
    sdl::Session session(core, window, painter);
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
    push(window_event(window.id(), SDL_WINDOWEVENT_SIZE_CHANGED));
    click(50, 530);         // in the left letterbox: not Image3
    click(104 + 110, 530);  // Image9, shifted by the letterbox: End
    sdl::Session session(core, window, painter);
    session.run();
    EXPECT_EQ(core.form().mosche, 0.0f);
    EXPECT_TRUE(core.events().ended());
}

TEST_F(SessionTest, F11SwitchesFullScreenAndThePointerFollowsTheScaledScene) {
    sdl::Session session(core, window, painter);
    session.start();
    auto f11 = [&] {
        push(key_down(window.id(), SDLK_F11));
        for (SDL_Event e; SDL_PollEvent(&e);) session.dispatch(&e);
    };
    SDL_Rect display{};
    ASSERT_EQ(SDL_GetDisplayBounds(0, &display), 0) << SDL_GetError();
    f11();
    ASSERT_TRUE(SDL_GetWindowFlags(window.handle()) & SDL_WINDOW_FULLSCREEN);
    const sdl::PixelSize size = window.size();
    const scene::Viewport full = scene::Viewport::fit(size.width, size.height);
    ASSERT_EQ(SDL_GetWindowSurface(window.handle())->w, display.w);
    ASSERT_NE(full.scale(), 1.0);

    // Image3 where the scaled scene shows it, not where the design puts it.
    const scene::Point image3 = centre_of(design_rect("Image3"), full);
    click(image3.x, image3.y);
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
    sdl::Session session(core, window, painter);
    session.start();
    SDL_SetWindowSize(window.handle(), 700, 600000000);  // far beyond any surface
    SDL_Event event;
    while (SDL_PollEvent(&event) != 0) session.dispatch(&event);
    EXPECT_EQ(window.size(), (sdl::PixelSize{scene::design_width, scene::design_height}));
    ASSERT_NE(SDL_GetWindowSurface(window.handle()), nullptr);

    click(40, 530);  // Image3, mapped at the size the window is back at
    while (SDL_PollEvent(&event) != 0) session.dispatch(&event);
    EXPECT_FALSE(session.ended());
    EXPECT_EQ(core.form().mosche, 1.0f);
}

TEST(SystemClockReading, IsWithinADay) {
    sdl::SystemClock clock;
    float t = clock.seconds_since_midnight();
    EXPECT_GE(t, 0.0f);
    EXPECT_LT(t, 86401.0f);
}

}  // namespace
}  // namespace bolvenda::testing
