// What the pictures take at the sizes they are shown at in a window of W x H: one copy per
// picture and size (all frogs share one, all flies too), 4 bytes a pixel; then the scene's
// rectangle, which the base layer keeps at most at 4 bytes a pixel. Prints both in KiB.
// Usage: shown_pictures W H
#include <cstdio>
#include <cstdlib>
#include <set>
#include <tuple>

#include "render/picture_set.hpp"
#include "scene/layout.hpp"
#include "scene/viewport.hpp"
#include "tests/support/driver.hpp"

int main(int argc, char** argv) {
    using namespace bolvenda;
    if (argc != 3) {
        std::fprintf(stderr, "usage: shown_pictures WIDTH HEIGHT\n");
        return 2;
    }
    const scene::Viewport viewport = scene::Viewport::fit(std::atoi(argv[1]), std::atoi(argv[2]));
    testing::Driver game;  // the start-up state: every picture the game shows is placed
    scene::Layout layout(game.scene());
    render::PictureSet pictures;
    std::set<std::tuple<scene::Picture, int, int>> copies;
    for (const scene::Placement& placed : layout.front_to_back()) {
        // The pond is drawn straight into the base layer and not kept.
        if (placed.element->kind() != runtime::ElementKind::Image ||
            placed.picture == scene::Picture::Pond)
            continue;
        scene::Rect r = viewport.to_window(placed.rect);
        if (!placed.stretch) {
            render::PictureSize own = pictures.natural_size(placed.picture);
            r = viewport.to_window({placed.rect.left, placed.rect.top, own.width, own.height});
        }
        copies.emplace(placed.picture, r.width, r.height);
    }
    long bytes = 0;
    for (const auto& [picture, w, h] : copies) bytes += 4L * w * h;
    const scene::Rect client = viewport.client_area();
    std::printf("%ld %ld\n", bytes / 1024, 4L * client.width * client.height / 1024);
}
