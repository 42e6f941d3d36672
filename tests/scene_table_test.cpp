#include <gtest/gtest.h>

#include <set>
#include <string>

#include "scene/scene.hpp"

namespace bolvenda::scene {
namespace {

using runtime::ElementKind;

TEST(SceneTable, HasTheWindowsElementsOnceEach) {
    Scene scene;
    EXPECT_EQ(scene.elements().size(), 103u);
    std::set<std::string> names;
    int labels = 0, images = 0, lines = 0;
    for (const auto* e : scene.elements()) {
        names.insert(e->display_name());
        labels += e->kind() == ElementKind::Label;
        images += e->kind() == ElementKind::Image;
        lines += e->kind() == ElementKind::Line;
    }
    EXPECT_EQ(names.size(), 103u);
    EXPECT_EQ(labels, 32);
    EXPECT_EQ(images, 7 + 42);
    EXPECT_EQ(lines, 22);
}

TEST(SceneTable, DesignTimeStateIsAllVisibleAndEnabled) {
    Scene scene;
    for (const auto* e : scene.elements()) {
        EXPECT_TRUE(e->visible()) << e->display_name();
        if (e->kind() != ElementKind::Line) {
            EXPECT_TRUE(e->enabled()) << e->display_name();
        }
    }
}

TEST(SceneTable, Captions) {
    Scene scene;
    for (int k = 1; k <= 21; ++k) EXPECT_EQ(scene.Label(k).caption(), std::to_string(k - 1));
    EXPECT_EQ(scene.Label(22).caption(), "");
    EXPECT_EQ(scene.Label(23).caption(), "+");
    EXPECT_EQ(scene.Label(24).caption(), "");
    EXPECT_EQ(scene.Label(25).caption(), "PRONTI PER LA CATTURA!");
    EXPECT_EQ(scene.Label(26).caption(), "");
    EXPECT_EQ(scene.Label(27).caption(), "AIUTA LA RANA A CATTURARE LE MOSCHE");
    EXPECT_EQ(scene.Label(28).caption(), "MOSCHE CATTURATE:");
    EXPECT_EQ(scene.Label(29).caption(), "999");
    EXPECT_EQ(scene.Label(30).caption(), "SU");
    EXPECT_EQ(scene.Label(31).caption(), "999");
    EXPECT_EQ(scene.Label(32).caption(), "SONO STANCA! VADO A DORMIRE!");
}

TEST(SceneTable, ToolTips) {
    Scene scene;
    for (int i = 0; i <= 20; ++i) {
        EXPECT_EQ(scene.Image1().item(i).tool_tip(), "ORA TI CATTURO!");
        EXPECT_EQ(scene.Image2().item(i).tool_tip(), "AIUTOOOO!!!");
    }
    EXPECT_EQ(scene.Image(3).tool_tip(), "PRONTI PER LA CATTURA!");
    EXPECT_EQ(scene.Image(4).tool_tip(), "!!!!!!!!");
    // UTF-8: the È is the two bytes C3 88.
    EXPECT_EQ(scene.Image(5).tool_tip(), "OH,NO! MI \xC3\x88 SCAPPATA!");
    EXPECT_EQ(scene.Image(6).tool_tip(), "GNAM! GNAM! CHE BUONA!");
    EXPECT_EQ(scene.Image(7).tool_tip(), "");
    EXPECT_EQ(scene.Image(8).tool_tip(), "");
    EXPECT_EQ(scene.Image(9).tool_tip(), "SONO STANCA! VADO A DORMIRE!");
    for (int k = 1; k <= 32; ++k) EXPECT_EQ(scene.Label(k).tool_tip(), "");
}

TEST(SceneTable, FindByName) {
    Scene scene;
    EXPECT_EQ(scene.find("Label1"), &scene.Label(1));
    EXPECT_EQ(scene.find("Label32"), &scene.Label(32));
    EXPECT_EQ(scene.find("Image9"), &scene.Image(9));
    EXPECT_EQ(scene.find("Line22"), &scene.Line(22));
    EXPECT_EQ(scene.find("Image1", 0), &scene.Image1().item(0));
    EXPECT_EQ(scene.find("Image2", 20), &scene.Image2().item(20));
    EXPECT_EQ(scene.find_display_name("Image2(7)"), &scene.Image2().item(7));
    EXPECT_EQ(scene.find_display_name("Label7"), &scene.Label(7));
    for (const char* missing : {"Label0", "Label33", "Image1", "Image10", "Line23", "Form1", "",
                                "Label", "Label7x", "7"}) {
        EXPECT_EQ(scene.find(missing), nullptr) << missing;
    }
    EXPECT_EQ(scene.find("Image1", 21), nullptr);
    EXPECT_EQ(scene.find("Label3", 0), nullptr);
    EXPECT_EQ(scene.find_display_name("Image1(21)"), nullptr);
    EXPECT_EQ(scene.find_display_name("Image1(x)"), nullptr);
    EXPECT_EQ(scene.find_display_name("Image1(3"), nullptr);
    EXPECT_THROW(scene.Label(33), std::out_of_range);
    EXPECT_THROW(scene.Image(2), std::out_of_range);
}

}  // namespace
}  // namespace bolvenda::scene
