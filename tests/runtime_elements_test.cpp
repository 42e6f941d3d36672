#include <gtest/gtest.h>

#include "error_number.hpp"
#include "runtime/control_array.hpp"
#include "runtime/element.hpp"
#include "runtime/runtime_error.hpp"
#include "runtime/slot_array.hpp"

namespace bolvenda::runtime {
namespace {

using testing::error_number;

struct Elements : ::testing::Test {
    Changes changes;
    Element label{changes, ElementKind::Label, "Label7", Element::no_index, "6", ""};
    Element image{changes, ElementKind::Image, "Image5", Element::no_index, "", "OH,NO!"};
    Element line{changes, ElementKind::Line, "Line1", Element::no_index, "", ""};
};

TEST_F(Elements, ChangesAreRecordedOnlyWhenSomethingChanges) {
    label.set_visible(true);
    label.set_enabled(true);
    label.set_caption("6");
    EXPECT_FALSE(changes.any());
    image.set_visible(false);
    label.set_visible(false);
    label.set_enabled(false);
    label.set_caption("");
    image.set_visible(true);  // back as it was: still repainted, once
    EXPECT_EQ(changes.take(), (std::vector<const Element*>{&image, &label}));
    EXPECT_FALSE(changes.any());
    EXPECT_FALSE(label.visible());
    EXPECT_FALSE(label.enabled());
    EXPECT_EQ(label.get_caption(), "");
}

TEST_F(Elements, EnabledAndVisibleAreIndependent) {
    image.set_visible(false);
    image.set_enabled(true);
    EXPECT_FALSE(image.visible());
    image.set_enabled(false);
    image.set_visible(true);
    EXPECT_FALSE(image.enabled());
    EXPECT_TRUE(image.visible());
}

TEST_F(Elements, PropertyByNameIgnoresCase) {
    image.set_property("Visible", false);
    EXPECT_FALSE(image.visible());
    image.set_property("visible", true);
    EXPECT_TRUE(image.visible());
    image.set_property("ENABLED", false);
    EXPECT_FALSE(image.enabled());
}

TEST_F(Elements, WhatAnElementLacksRaises438) {
    EXPECT_EQ(error_number([&] { image.set_property("Visibl", false); }), 438);
    EXPECT_EQ(error_number([&] { image.set_property("", false); }), 438);
    EXPECT_EQ(error_number([&] { image.set_caption("x"); }), 438);
    EXPECT_EQ(error_number([&] { (void)image.get_caption(); }), 438);
    EXPECT_EQ(error_number([&] { line.set_enabled(false); }), 438);
    EXPECT_TRUE(image.visible());  // nothing half-done
}

TEST_F(Elements, EmptyReferenceRaises91) {
    EXPECT_EQ(error_number([] { set_property(nullptr, "Visible", false); }), 91);
    EXPECT_EQ(error_number([&] { set_property(&image, "Nope", false); }), 438);
}

TEST(ControlArrays, MembersShareNameAndToolTip) {
    Changes changes;
    ControlArray frogs(changes, ElementKind::Image, "Image1", 21, "ORA TI CATTURO!");
    EXPECT_EQ(frogs.count(), 21);
    EXPECT_EQ(frogs.item(0).name(), "Image1");
    EXPECT_EQ(frogs.item(20).index(), 20);
    EXPECT_EQ(frogs.item(20).display_name(), "Image1(20)");
    EXPECT_EQ(frogs.item(3).tool_tip(), "ORA TI CATTURO!");
    EXPECT_NE(&frogs.item(3), &frogs.item(4));
    EXPECT_EQ(error_number([&] { frogs.item(21); }), 340);
    EXPECT_EQ(error_number([&] { frogs.item(-1); }), 340);
}

TEST(SlotArrays, BoundsRule) {
    Changes changes;
    ControlArray flies(changes, ElementKind::Image, "Image2", 21, "");
    SlotArray<22> slots;
    for (int i = 0; i <= 20; ++i) slots.fill(i, flies.item(i));

    slots.set(20, "Visible", false);
    EXPECT_FALSE(flies.item(20).visible());
    slots.set(0, "Visible", false);
    EXPECT_FALSE(flies.item(0).visible());
    // 21 passes the index test but holds nothing.
    EXPECT_EQ(slots.at(21), nullptr);
    EXPECT_EQ(error_number([&] { slots.set(21, "Visible", true); }), 91);
    EXPECT_EQ(error_number([&] { slots.set(22, "Visible", true); }), 9);
    EXPECT_EQ(error_number([&] { slots.set(-1, "Visible", true); }), 9);
    EXPECT_EQ(error_number([&] { slots.fill(22, flies.item(0)); }), 9);
}

}  // namespace
}  // namespace bolvenda::runtime
