// bolvenda_text_sheet OUT.png: every text the window can show, in its own face, size and ink,
// at the design size (left) and at twice it (right), over the window's background: to hold
// a change of the text renderer or of the fonts against the last one by eye.
#include <algorithm>
#include <cstdio>
#include <exception>
#include <string>
#include <vector>

#include "render/canvas.hpp"
#include "render/painter.hpp"
#include "render/text_renderer.hpp"
#include "scene/assets/assets.hpp"
#include "scene/layout.hpp"
#include "tests/support/offscreen.hpp"
#include "tools/screens/png_file.hpp"

namespace {

using namespace bolvenda;

struct Line {
    std::string text;
    bool label;  // the labels' bold face, else the tooltips' regular one
    int design_px;
    scene::Rgb ink;
};

std::vector<Line> shown_lines() {
    scene::Scene scene;
    scene::Layout layout(scene);
    std::vector<Line> lines;
    for (const auto& placed : layout.front_to_back()) {
        const runtime::Element& e = *placed.element;
        if (!e.caption().empty())
            lines.push_back({e.caption(), true, placed.font_px, placed.text_colour});
        if (!e.tool_tip().empty())
            lines.push_back({e.tool_tip(), false, render::tooltip_font_px, render::tooltip_ink});
    }
    // The answer box, the counters and the number line at one and two digits.
    const auto& counter = layout.of(scene.Label(29));
    for (const char* n : {"7", "11", "42", "20"})
        lines.push_back({n, true, counter.font_px, counter.text_colour});
    const auto& number = layout.of(scene.Label(12));
    lines.push_back({"11", true, number.font_px, number.text_colour});
    lines.push_back({"11", true, number.font_px, scene::disabled_text_colour});
    std::stable_sort(lines.begin(), lines.end(),
                     [](const Line& a, const Line& b) { return a.label > b.label; });
    lines.erase(std::unique(lines.begin(), lines.end(),
                            [](const Line& a, const Line& b) {
                                return a.text == b.text && a.label == b.label &&
                                       a.design_px == b.design_px;
                            }),
                lines.end());
    return lines;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUT.png\n", argv[0]);
        return 2;
    }
    try {
        render::TextRenderer labels(assets::typeface(assets::Typeface::Bold));
        render::TextRenderer tips(assets::typeface(assets::Typeface::Regular));
        const auto lines = shown_lines();
        const int column = 440, gap = 8;  // the widest caption at the design size, and a margin
        int height = 0;
        for (const Line& l : lines) height += 3 * l.design_px + gap;
        render::PixelImage sheet(column * 3 - 40, height);
        render::Canvas canvas(sheet.view());
        canvas.fill({0, 0, column * 3 - 40, height}, scene::background_colour);
        for (int scale : {1, 2}) {
            int y = 0;
            for (const Line& l : lines) {
                render::TextRenderer& r = l.label ? labels : tips;
                const auto& rendered = r.render(l.text, l.design_px * scale, l.ink);
                canvas.blend(rendered.image, (scale - 1) * column + 4, y + 2 - rendered.rise);
                y += 3 * l.design_px + gap;
            }
        }
        tools::write_png(testing::pixels_of(sheet.view()), argv[1]);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "bolvenda_text_sheet: %s\n", e.what());
        return 1;
    }
    return 0;
}
