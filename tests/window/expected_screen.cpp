#include "expected_screen.hpp"

#include <string>

#include "scene/layout.hpp"
#include "scene/view/canvas.hpp"

namespace bolvenda::window_test {

namespace {

std::string count_text(int count) { return count == 0 ? "" : std::to_string(count); }

void show_only(runtime::ControlArray& pictures, int index) {
    for (int i = 0; i < pictures.count(); ++i) pictures.item(i).set_visible(i == index);
}

}  // namespace

Renderer::Renderer()
    : labels_(assets::typeface(assets::Typeface::Bold)), tips_(assets::typeface(assets::Typeface::Regular)) {}

Pixels Renderer::render(const scene::Scene& scene, int width, int height) {
    scene::Layout layout(scene);
    view::SurfacePtr surface = view::create_canvas_surface(width, height);
    // A painter of its own each time: the whole frame drawn from nothing, whatever came before.
    view::Painter painter(pictures_, labels_, tips_);
    painter.paint(layout, scene::Viewport::fit(width, height), *surface);
    Pixels pixels;
    pixels.width = width;
    pixels.height = height;
    pixels.data.resize(static_cast<std::size_t>(width) * height);
    for (int y = 0; y < height; ++y) {
        const auto* row = reinterpret_cast<const Uint32*>(
            static_cast<const Uint8*>(surface->pixels) + y * surface->pitch);
        for (int x = 0; x < width; ++x)
            pixels.data[static_cast<std::size_t>(y) * width + x] = row[x] & 0xFFFFFF;
    }
    return pixels;
}

void ExpectedGame::round_started(Round round, int number, int caught) {
    scene::Scene& s = driver_.scene();
    show_only(s.Image1(), round.n1);
    show_only(s.Image2(), round.somma);
    s.Label(22).set_caption(std::to_string(round.n1));
    s.Label(23).set_visible(true);
    s.Label(24).set_caption(std::to_string(round.somma - round.n1));
    s.Image(7).set_visible(true);
    s.Image(8).set_visible(false);
    s.Label(26).set_caption("");
    s.Image(4).set_visible(true);
    s.Image(5).set_visible(false);
    s.Image(6).set_visible(false);
    s.Label(29).set_caption(count_text(caught));
    s.Label(31).set_caption(std::to_string(number));
    s.Image(3).set_enabled(false);
    for (int k = 1; k <= 21; ++k) s.Label(k).set_enabled(true);
}

void ExpectedGame::answered(Round round, int d, int caught) {
    scene::Scene& s = driver_.scene();
    show_only(s.Image1(), d);
    show_only(s.Image2(), round.somma);
    s.Label(26).set_caption(std::to_string(d));
    for (int k = 1; k <= 21; ++k) s.Label(k).set_enabled(false);
    s.Image(3).set_enabled(true);
    if (d == round.somma) {
        s.Label(29).set_caption(count_text(caught));
        s.Image(6).set_visible(true);
        s.Image(7).set_visible(true);
    } else {
        s.Image(5).set_visible(true);
        s.Image(7).set_visible(false);
        s.Image(8).set_visible(true);
    }
}

std::optional<Round> find_round(const Pixels& screen, Renderer& renderer) {
    constexpr int fly_top = 280, fly_bottom = 280 + 49, frog_bottom = 296 + 163;
    const Area frogs_only{0, fly_bottom, screen.width, frog_bottom - fly_bottom};
    const Area both{0, fly_top, screen.width, frog_bottom - fly_top};

    ExpectedGame probe;
    scene::Scene& s = probe.scene();
    std::optional<int> frog;
    for (int n = 0; n <= 20; ++n) {
        show_only(s.Image1(), n);
        show_only(s.Image2(), -1);
        if (compare(screen, renderer.render(s), frogs_only).count != 0) continue;
        if (frog) return std::nullopt;
        frog = n;
    }
    if (!frog) return std::nullopt;
    std::optional<int> fly;
    show_only(s.Image1(), *frog);
    for (int n = 0; n <= 20; ++n) {
        show_only(s.Image2(), n);
        if (compare(screen, renderer.render(s), both).count != 0) continue;
        if (fly) return std::nullopt;
        fly = n;
    }
    if (!fly) return std::nullopt;
    return Round{*frog, *fly};
}

}  // namespace bolvenda::window_test
