// The text renderer: every text the game can show has its glyphs in the embedded face that
// draws it, and the face's kerning moves the glyphs it pairs.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "render/text_renderer.hpp"
#include "scene/assets/assets.hpp"
#include "tests/support/driver.hpp"

namespace bolvenda::testing {
namespace {

TEST(Text, EveryShownTextHasItsGlyphs) {
    render::TextRenderer labels(assets::typeface(assets::Typeface::Bold));
    render::TextRenderer tips(assets::typeface(assets::Typeface::Regular));
    std::set<std::string> captions, tool_tips;
    auto collect = [&](Driver& d) {
        for (const runtime::Element* e : d.scene().elements()) {
            captions.insert(e->caption());
            tool_tips.insert(e->tool_tip());
        }
    };
    // The design's texts, then what whole games write: exercises, answers, both counters.
    Driver game;
    collect(game);
    for (int round = 0; round < 40; ++round) {
        game.new_round();
        collect(game);
        game.click_number((round * 7) % 21);
        collect(game);
    }
    for (int n = 0; n <= 1000; ++n) captions.insert(std::to_string(n));
    for (const std::string& text : captions) EXPECT_TRUE(labels.covers(text)) << '"' << text << '"';
    for (const std::string& text : tool_tips) EXPECT_TRUE(tips.covers(text)) << '"' << text << '"';
    // The check itself sees a missing glyph.
    EXPECT_FALSE(labels.covers("SONO È ß"));
}

TEST(Text, KerningPullsPairsTogether) {
    render::TextRenderer labels(assets::typeface(assets::Typeface::Bold));
    const scene::Rgb ink{0, 0, 0};
    for (int px : {19, 38}) {
        auto width = [&](const char* text) { return labels.render(text, px, ink).image.width; };
        EXPECT_LT(width("AV"), width("A") + width("V")) << px;
        EXPECT_LT(width("TA"), width("T") + width("A")) << px;
        // An unkerned pair stays as wide as its glyphs side by side, to a pixel's rounding.
        EXPECT_NEAR(width("HH"), 2 * width("H"), 1) << px;
    }
}

}  // namespace
}  // namespace bolvenda::testing
