// bolvenda_sharpness SHOT.png ART_DIR: how close each picture the window shows at start-up is
// to its drawing, in a screenshot of the whole window at any size. The reference is librsvg's
// rendering of each drawing at the size the picture is shown, over librsvg's pond; the figure
// is the mean absolute RGB difference over the pixels near the reference's edges
// (testing::edge_difference), so 0 is the drawing itself and a soft picture scores high.
// bench/sharpness.sh takes the screenshots of the real window and runs this.
#include <cstdio>
#include <exception>
#include <filesystem>
#include <string>

#include "scene/layout.hpp"
#include "scene/viewport.hpp"
#include "tests/support/driver.hpp"
#include "tests/support/pixels.hpp"
#include "tools/assets/raster.hpp"
#include "tools/screens/png_file.hpp"

namespace fs = std::filesystem;
using namespace bolvenda;

namespace {

// src over the 0xRRGGBB pixel under it, straight alpha.
std::uint32_t over(tools::Rgba src, std::uint32_t under) {
    auto mix = [&](int top, int shift) {
        const int bottom = static_cast<int>(under >> shift & 0xFF);
        return static_cast<std::uint32_t>((top * src.a + bottom * (255 - src.a) + 127) / 255)
               << shift;
    };
    return mix(src.r, 16) | mix(src.g, 8) | mix(src.b, 0);
}

// The drawing rendered at the rectangle's size onto the reference, cut to clip.
void paint(testing::Pixels& onto, const tools::Raster& art, scene::Rect at, scene::Rect clip) {
    for (int y = 0; y < art.height; ++y)
        for (int x = 0; x < art.width; ++x) {
            const int px = at.left + x, py = at.top + y;
            if (px < clip.left || px >= clip.right() || py < clip.top || py >= clip.bottom() ||
                px < 0 || py < 0 || px >= onto.width || py >= onto.height)
                continue;
            std::uint32_t& p = onto.data[static_cast<std::size_t>(py) * onto.width + px];
            p = over(art.at(x, y), p);
        }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s SHOT.png ART_DIR\n", argv[0]);
        return 2;
    }
    try {
        const testing::Pixels shot = tools::read_png(argv[1]);
        const fs::path art = argv[2];
        const scene::Viewport viewport = scene::Viewport::fit(shot.width, shot.height);
        testing::Driver game;  // the start-up state
        const scene::Layout layout(game.scene());

        testing::Pixels reference{shot.width, shot.height, {}};
        const scene::Rgb ground = scene::background_colour;
        reference.data.assign(
            static_cast<std::size_t>(shot.width) * shot.height,
            std::uint32_t{ground.r} << 16 | std::uint32_t{ground.g} << 8 | ground.b);
        const scene::PictureRow& pond = scene::row_of(scene::Picture::Pond);
        const scene::Rect whole = viewport.to_window({0, 0, pond.width, pond.height});
        paint(reference, tools::render_svg(art / pond.drawing, whole.width, whole.height), whole,
              viewport.client_area());
        // The pond is measured where nothing stands on it: no picture, label or line.
        std::vector<scene::Rect> covered;
        std::printf("%-26s %12s %10s\n", "picture (element)", "shown at", "edge diff");
        for (auto it = layout.front_to_back().rbegin(); it != layout.front_to_back().rend(); ++it) {
            const scene::Placement& placed = *it;
            if (!placed.element->visible()) continue;
            if (placed.element->kind() == runtime::ElementKind::Line) {
                const scene::Rect box =
                    viewport.to_window({std::min(placed.from.x, placed.to.x) - 2,
                                        std::min(placed.from.y, placed.to.y) - 2,
                                        std::abs(placed.to.x - placed.from.x) + 5,
                                        std::abs(placed.to.y - placed.from.y) + 5});
                covered.push_back(box);
                continue;
            }
            const scene::Rect own = viewport.to_window(placed.rect);
            covered.push_back(own);
            if (placed.element->kind() != runtime::ElementKind::Image) continue;
            const scene::PictureRow& row = scene::row_of(placed.picture);
            const scene::Rect drawn = placed.stretch
                                          ? own
                                          : viewport.to_window({placed.rect.left, placed.rect.top,
                                                                row.width, row.height});
            paint(reference, tools::render_svg(art / row.drawing, drawn.width, drawn.height), drawn,
                  own);
        }
        for (const scene::Placement& placed : layout.front_to_back()) {
            if (!placed.element->visible() || placed.element->kind() != runtime::ElementKind::Image)
                continue;
            const scene::Rect own = viewport.to_window(placed.rect);
            const auto diff = testing::edge_difference(shot, reference, own);
            const std::string name = std::string(scene::row_of(placed.picture).drawing) + " (" +
                                     placed.element->display_name() + ")";
            std::printf("%-26s %5dx%-6d %10.1f\n", name.c_str(), own.width, own.height,
                        diff.value_or(-1));
        }
        // The pond alone, where nothing stands on it.
        const auto diff =
            testing::edge_difference(shot, reference, viewport.client_area(), covered);
        std::printf("%-26s %5dx%-6d %10.1f\n", "pond.svg (Form1)", whole.width, whole.height,
                    diff.value_or(-1));
    } catch (const std::exception& e) {
        std::fprintf(stderr, "bolvenda_sharpness: %s\n", e.what());
        return 1;
    }
    return 0;
}
