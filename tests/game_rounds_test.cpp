#include <gtest/gtest.h>

#include <limits>

#include "runtime/conversions.hpp"
#include "runtime/runtime_error.hpp"
#include "tests/support/driver.hpp"

namespace bolvenda::testing {
namespace {

// Runs rounds until one has the wanted property; the stepping clock makes this finite.
template <class Wanted>
void round_until(Driver& game, Wanted wanted) {
    for (int tries = 0; tries < 10000; ++tries) {
        ASSERT_TRUE(game.new_round());
        if (wanted(game.form())) return;
        ASSERT_TRUE(game.click_number(0));  // close the round to start another
    }
    FAIL() << "no round with the wanted property";
}

void expect_number_labels_enabled(Driver& game, bool enabled) {
    for (int k = 1; k <= 21; ++k) EXPECT_EQ(game.scene().Label(k).enabled(), enabled) << k;
}

TEST(StartUp, BeforeLoadTheSceneIsAsDesigned) {
    Driver game(36000.25f, 1.37f, /*load=*/false);
    EXPECT_EQ(game.frog_count(), 21);
    EXPECT_EQ(game.fly_count(), 21);
    EXPECT_EQ(game.scene().Label(29).caption(), "999");
    EXPECT_EQ(game.scene().Label(31).caption(), "999");
    expect_number_labels_enabled(game, true);
    EXPECT_FALSE(game.click_number(3));  // nothing reaches the game before Load
}

TEST(StartUp, LoadMakesTheStartUpState) {
    Driver game;
    scene::Scene& s = game.scene();
    int frog = -1, fly = -1;
    EXPECT_EQ(game.frog_count(&frog), 1);
    EXPECT_EQ(frog, 0);
    EXPECT_EQ(game.fly_count(&fly), 1);
    EXPECT_EQ(fly, 0);
    EXPECT_EQ(s.Label(22).caption(), "");
    EXPECT_EQ(s.Label(24).caption(), "");
    EXPECT_EQ(s.Label(26).caption(), "");
    EXPECT_EQ(s.Label(29).caption(), "");
    EXPECT_EQ(s.Label(31).caption(), "");
    EXPECT_FALSE(s.Label(23).visible());
    EXPECT_FALSE(s.Label(25).visible());
    EXPECT_FALSE(s.Label(32).visible());
    EXPECT_TRUE(s.Image(4).visible());
    for (int k = 5; k <= 8; ++k) EXPECT_FALSE(s.Image(k).visible()) << k;
    EXPECT_TRUE(s.Image(3).visible() && s.Image(3).enabled());
    EXPECT_TRUE(s.Image(9).visible() && s.Image(9).enabled());
    expect_number_labels_enabled(game, false);
    for (float v : {game.form().n1, game.form().n2, game.form().somma, game.form().mosche,
                    game.form().cattura}) {
        EXPECT_EQ(v, 0.0f);
    }
    for (int i = 0; i <= 20; ++i) {
        EXPECT_EQ(game.form().anfibio_slots().at(i), &s.Image1().item(i));
        EXPECT_EQ(game.form().insetto_slots().at(i), &s.Image2().item(i));
    }
    EXPECT_EQ(game.form().anfibio_slots().at(21), nullptr);
    EXPECT_EQ(game.form().insetto_slots().at(21), nullptr);
}

TEST(StartUp, OnlyTheTwoPictureButtonsRespond) {
    Driver game;
    game.scene().changes().take();
    for (int n = 0; n <= 20; ++n) EXPECT_FALSE(game.click_number(n));
    // Frogs, flies, faces and captions take the click but have no handler.
    for (const char* name : {"Image1(0)", "Image2(0)", "Image4", "Label27", "Label28", "Label30",
                             "Label22", "Line1"}) {
        game.click(name);
    }
    EXPECT_TRUE(game.move_over_window());
    EXPECT_TRUE(game.move("Image3"));
    EXPECT_TRUE(game.move("Image9"));
    EXPECT_FALSE(game.scene().changes().any());
}

TEST(NewRound, ShowsTheExerciseAndOpensTheLine) {
    Driver game;
    scene::Scene& s = game.scene();
    ASSERT_TRUE(game.new_round());
    const auto& f = game.form();
    EXPECT_EQ(f.mosche, 1.0f);
    EXPECT_EQ(s.Label(31).caption(), "1");
    EXPECT_EQ(s.Label(29).caption(), "");
    EXPECT_GE(f.n1, 0.0f);
    EXPECT_LE(f.n1, 19.0f);
    EXPECT_GE(f.n2, 1.0f);
    EXPECT_EQ(f.somma, f.n1 + f.n2);
    EXPECT_LE(f.somma, 20.0f);
    EXPECT_EQ(s.Label(22).caption(), runtime::single_to_text(f.n1));
    EXPECT_EQ(s.Label(24).caption(), runtime::single_to_text(f.n2));
    int frog = -1, fly = -1;
    EXPECT_EQ(game.frog_count(&frog), 1);
    EXPECT_EQ(frog, static_cast<int>(f.n1));
    EXPECT_EQ(game.fly_count(&fly), 1);
    EXPECT_EQ(fly, static_cast<int>(f.somma));
    EXPECT_FALSE(s.Image2().item(0).visible());
    EXPECT_TRUE(s.Label(23).visible());
    EXPECT_TRUE(s.Image(7).visible());
    EXPECT_FALSE(s.Image(8).visible());
    EXPECT_TRUE(s.Image(4).visible());
    EXPECT_FALSE(s.Image(5).visible());
    EXPECT_FALSE(s.Image(6).visible());
    EXPECT_FALSE(s.Image(3).enabled());
    expect_number_labels_enabled(game, true);
    // A second click on the new-round picture does nothing while the round is open.
    EXPECT_FALSE(game.new_round());
    EXPECT_EQ(f.mosche, 1.0f);
}

TEST(NewRound, AfterAWrongAnswerClearsTheVerdict) {
    Driver game;
    round_until(game, [](const game::Form1& f) { return f.n1 != 0; });
    ASSERT_TRUE(game.click_number(0));
    ASSERT_TRUE(game.scene().Image(8).visible());
    ASSERT_TRUE(game.new_round());
    EXPECT_FALSE(game.scene().Image(5).visible());
    EXPECT_FALSE(game.scene().Image(8).visible());
    EXPECT_TRUE(game.scene().Image(7).visible());
    EXPECT_EQ(game.scene().Label(26).caption(), "");
    EXPECT_EQ(game.frog_count(), 1);
    EXPECT_EQ(game.fly_count(), 1);
}

TEST(Answer, RightAnswerCatchesTheFly) {
    Driver game;
    scene::Scene& s = game.scene();
    ASSERT_TRUE(game.new_round());
    const int sum = static_cast<int>(game.form().somma);
    ASSERT_TRUE(game.click_number(sum));
    int frog = -1, fly = -1;
    EXPECT_EQ(game.frog_count(&frog), 1);
    EXPECT_EQ(frog, sum);
    EXPECT_EQ(game.fly_count(&fly), 1);
    EXPECT_EQ(fly, sum);
    EXPECT_EQ(game.form().cattura, 1.0f);
    EXPECT_EQ(s.Label(29).caption(), "1");
    EXPECT_EQ(s.Label(26).caption(), std::to_string(sum));
    EXPECT_TRUE(s.Image(6).visible());
    EXPECT_FALSE(s.Image(5).visible());
    EXPECT_TRUE(s.Image(7).visible());
    EXPECT_FALSE(s.Image(8).visible());
    EXPECT_TRUE(s.Image(4).visible());
    EXPECT_TRUE(s.Image(3).enabled());
    expect_number_labels_enabled(game, false);
    // The line is closed: no second answer, the same number included.
    EXPECT_FALSE(game.click_number(sum));
    EXPECT_EQ(game.form().cattura, 1.0f);
    // The catch carries over into the next round.
    ASSERT_TRUE(game.new_round());
    EXPECT_EQ(s.Label(29).caption(), "1");
    EXPECT_FALSE(s.Image(6).visible());
    EXPECT_EQ(game.fly_count(), 1);
}

TEST(Answer, ZeroIsWrongAndWritesZero) {
    Driver game;
    round_until(game, [](const game::Form1& f) { return f.n1 != 0; });
    scene::Scene& s = game.scene();
    ASSERT_TRUE(game.click_number(0));
    int frog = -1;
    EXPECT_EQ(game.frog_count(&frog), 1);
    EXPECT_EQ(frog, 0);
    EXPECT_EQ(s.Label(26).caption(), "0");  // the answer box shows the chosen 0 like any number
    EXPECT_TRUE(s.Image(5).visible());
    EXPECT_FALSE(s.Image(7).visible());
    EXPECT_TRUE(s.Image(8).visible());
    EXPECT_EQ(s.Label(29).caption(), "");
    EXPECT_EQ(game.form().cattura, 0.0f);
}

TEST(Answer, TheFrogsOwnNumberIsWrongAndKeepsTheFrog) {
    Driver game;
    round_until(game, [](const game::Form1& f) { return f.n1 == 0; });
    ASSERT_TRUE(game.click_number(0));
    int frog = -1;
    EXPECT_EQ(game.frog_count(&frog), 1);
    EXPECT_EQ(frog, 0);
    ASSERT_TRUE(game.new_round());
    const int start = static_cast<int>(game.form().n1);
    ASSERT_TRUE(game.click_number(start));
    EXPECT_EQ(game.frog_count(&frog), 1);
    EXPECT_EQ(frog, start);
    EXPECT_EQ(game.scene().Label(26).caption(), std::to_string(start));
    EXPECT_TRUE(game.scene().Image(5).visible());
    EXPECT_TRUE(game.scene().Image(8).visible());
}

TEST(Answer, NineWrongShowsTheNotEqualSignLikeAnyWrongAnswer) {
    Driver game;
    round_until(game, [](const game::Form1& f) { return f.somma != 9 && f.n1 != 9; });
    scene::Scene& s = game.scene();
    ASSERT_TRUE(game.click_number(9));
    int frog = -1;
    EXPECT_EQ(game.frog_count(&frog), 1);
    EXPECT_EQ(frog, 9);
    EXPECT_EQ(s.Label(26).caption(), "9");
    EXPECT_TRUE(s.Image(5).visible());
    EXPECT_FALSE(s.Image(7).visible());
    EXPECT_TRUE(s.Image(8).visible());
}

TEST(Answer, NineRightIsARightAnswer) {
    Driver game;
    round_until(game, [](const game::Form1& f) { return f.somma == 9; });
    ASSERT_TRUE(game.click_number(9));
    EXPECT_EQ(game.form().cattura, 1.0f);
    EXPECT_TRUE(game.scene().Image(6).visible());
    EXPECT_TRUE(game.scene().Image(7).visible());
    EXPECT_FALSE(game.scene().Image(8).visible());
}

TEST(Answer, NumberCaptionsNeverChange) {
    Driver game;
    for (int round = 0; round < 50; ++round) {
        ASSERT_TRUE(game.new_round());
        ASSERT_TRUE(game.click_number(round % 21));
    }
    for (int k = 1; k <= 21; ++k)
        EXPECT_EQ(game.scene().Label(k).get_caption(), std::to_string(k - 1));
}

TEST(HoverAndExit, WindowMoveHidesTheCaptionsAndChangesNothingElse) {
    Driver game;
    game.scene().Label(25).set_visible(true);  // as if something had shown them
    game.scene().Label(32).set_visible(true);
    EXPECT_TRUE(game.move_over_window());
    EXPECT_FALSE(game.scene().Label(25).visible());
    EXPECT_FALSE(game.scene().Label(32).visible());
    game.scene().changes().take();
    EXPECT_TRUE(game.move_over_window());
    EXPECT_TRUE(game.move("Image3"));
    EXPECT_FALSE(game.scene().changes().any());
}

TEST(HoverAndExit, ExitEndsTheProgramInAnyState) {
    for (int state = 0; state < 3; ++state) {
        Driver game;
        if (state >= 1) {
            ASSERT_TRUE(game.new_round());
        }
        if (state >= 2) {
            ASSERT_TRUE(game.click_number(5));
        }
        const float shown = game.form().mosche;
        ASSERT_TRUE(game.click("Image9"));
        EXPECT_TRUE(game.events().ended());
        EXPECT_FALSE(game.new_round());
        EXPECT_FALSE(game.click_number(static_cast<int>(game.form().somma)));
        EXPECT_FALSE(game.move_over_window());
        EXPECT_EQ(game.form().mosche, shown);
    }
}

TEST(Failures, CounterOverflowStoresThenRaisesAndEnds) {
    Driver game;
    ASSERT_TRUE(game.new_round());
    // Through the public game numbers: a counter already at infinity cannot count on.
    game.form().cattura = std::numeric_limits<float>::infinity();
    const int sum = static_cast<int>(game.form().somma);
    try {
        game.click_number(sum);
        FAIL() << "no runtime error";
    } catch (const runtime::RuntimeError& e) {
        EXPECT_EQ(e.number(), 6);
    }
    // The steps before the failing addition stay done; those after it never ran.
    scene::Scene& s = game.scene();
    EXPECT_TRUE(s.Image(3).enabled());
    EXPECT_EQ(s.Label(26).caption(), std::to_string(sum));
    expect_number_labels_enabled(game, false);
    EXPECT_EQ(s.Label(29).caption(), "");
    EXPECT_FALSE(s.Image(6).visible());
    EXPECT_TRUE(game.events().ended());
    EXPECT_FALSE(game.new_round());
}

TEST(Failures, RoundCounterOverflowRaisesAfterTheEarlierSteps) {
    Driver game;
    game.form().mosche = std::numeric_limits<float>::max();
    game.form().mosche = game.form().mosche * 2;  // +infinity
    EXPECT_THROW(game.new_round(), runtime::RuntimeError);
    EXPECT_FALSE(game.scene().Image(3).enabled());
    EXPECT_EQ(game.frog_count(), 0);                  // step 2 ran
    EXPECT_EQ(game.scene().Label(31).caption(), "");  // step 5 never did
}

TEST(Failures, IndexOutsideTheSlotsRaisesTheSubscriptError) {
    Driver game;
    ASSERT_TRUE(game.new_round());
    game.form().n1 = 22;
    try {
        game.click_number(3);
        FAIL() << "no runtime error";
    } catch (const runtime::RuntimeError& e) {
        EXPECT_EQ(e.number(), 9);
    }
    EXPECT_TRUE(game.scene().Image(3).enabled());  // step 1 stays done
}

TEST(Failures, SlotTwentyOnePassesTheTestButIsEmpty) {
    Driver game;
    ASSERT_TRUE(game.new_round());
    game.form().somma = 21;
    try {
        game.click_number(3);
        FAIL() << "no runtime error";
    } catch (const runtime::RuntimeError& e) {
        EXPECT_EQ(e.number(), 91);
    }
    int frog = -1;
    EXPECT_EQ(game.frog_count(&frog), 1);  // steps 2 and 3 ran
    EXPECT_EQ(frog, 3);
}

}  // namespace
}  // namespace bolvenda::testing
