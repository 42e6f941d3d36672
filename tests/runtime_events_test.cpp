#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "runtime/clock.hpp"
#include "runtime/event_dispatcher.hpp"
#include "runtime/random.hpp"
#include "runtime/runtime_error.hpp"

namespace bolvenda::runtime {
namespace {

struct FixedClock final : Clock {
    float seconds_since_midnight() override { return 1234.5f; }
};

// Records what it is given; can be told to fail or to re-enter the dispatcher.
struct RecordingForm final : FormEvents {
    std::vector<std::string> log;
    bool fail_on_click = false;
    EventDispatcher* reenter = nullptr;
    Element* target = nullptr;

    Element* without_handler = nullptr;  // has no Click or MouseMove handler

    void Load() override { log.push_back("Load"); }
    bool Click(Element& source) override {
        log.push_back("Click " + source.name());
        if (reenter) log.push_back(reenter->click(*target) ? "nested ran" : "nested refused");
        if (fail_on_click) throw RuntimeError::overflow();
        return &source != without_handler;
    }
    bool MouseMove(Element* source) override {
        log.push_back("Move " + (source ? source->name() : std::string("Form1")));
        return source == nullptr || source != without_handler;
    }
};

struct Delivery : ::testing::Test {
    FixedClock clock;
    Runtime runtime{clock};
    RecordingForm form;
    EventDispatcher events{runtime, form};
    Changes changes;
    Element image{changes, ElementKind::Image, "Image3", Element::no_index, "", ""};
    Element other{changes, ElementKind::Image, "Image9", Element::no_index, "", ""};
};

TEST_F(Delivery, NothingBeforeLoadAndLoadOnce) {
    EXPECT_FALSE(events.click(image));
    EXPECT_FALSE(events.mouse_move(nullptr));
    EXPECT_TRUE(events.load());
    EXPECT_FALSE(events.load());
    EXPECT_EQ(form.log, std::vector<std::string>{"Load"});
}

TEST_F(Delivery, ClickOnlyWhileEnabledAndVisible) {
    events.load();
    image.set_enabled(false);
    EXPECT_FALSE(events.click(image));
    image.set_enabled(true);
    image.set_visible(false);
    EXPECT_FALSE(events.click(image));
    EXPECT_FALSE(events.mouse_move(&image));  // hidden elements take no pointer input
    image.set_visible(true);
    EXPECT_TRUE(events.click(image));
    image.set_enabled(false);
    EXPECT_TRUE(events.mouse_move(&image));  // a disabled element still sees the pointer move
    EXPECT_TRUE(events.mouse_move(nullptr));
    // Delivered to an element the form has no handler for: no handler ran, and it says so.
    form.without_handler = &other;
    EXPECT_FALSE(events.click(other));
    EXPECT_FALSE(events.mouse_move(&other));
    EXPECT_EQ(form.log, (std::vector<std::string>{"Load", "Click Image3", "Move Image3",
                                                  "Move Form1", "Click Image9", "Move Image9"}));
}

TEST_F(Delivery, OneEventAtATime) {
    events.load();
    form.reenter = &events;
    form.target = &other;
    EXPECT_TRUE(events.click(image));
    EXPECT_EQ(form.log.back(), "nested refused");
}

TEST_F(Delivery, ErrorPropagatesAndEndsTheProgram) {
    events.load();
    form.fail_on_click = true;
    EXPECT_THROW(events.click(image), RuntimeError);
    EXPECT_TRUE(events.ended());
    form.fail_on_click = false;
    EXPECT_FALSE(events.click(image));
    EXPECT_FALSE(events.mouse_move(nullptr));
    EXPECT_EQ(form.log.back(), "Click Image3");
}

TEST_F(Delivery, EndStopsDelivery) {
    events.load();
    runtime.end();
    EXPECT_FALSE(events.click(image));
    EXPECT_FALSE(events.mouse_move(nullptr));
}

TEST(RandomNumbers, RangeAndReseed) {
    Random random;
    random.reseed(1234.5);
    std::vector<float> first;
    for (int i = 0; i < 1000; ++i) {
        float r = random.next();
        ASSERT_GE(r, 0.0f);
        ASSERT_LT(r, 1.0f);
        ASSERT_LT(r * 20.0f, 20.0f);
        first.push_back(r);
    }
    random.reseed(1234.5);
    for (float r : first) ASSERT_EQ(random.next(), r);
    random.reseed(1234.5078125);  // the next single after 1234.5
    EXPECT_NE(random.next(), first[0]);
}

TEST(RandomNumbers, LargestValueStaysBelowOne) {
    // The generator's outputs are multiples of 2^-24; the largest must keep r * 20 < 20.
    const float largest = 1.0f - 0x1p-24f;
    EXPECT_LT(largest * 20.0f, 20.0f);
    EXPECT_LT(largest * 20.0f + 1.0f, 21.0f);
}

}  // namespace
}  // namespace bolvenda::runtime
