// The expected scene states and the round finder of expected_game.hpp.
#include "tests/support/expected_game.hpp"

#include <string>

#include "tests/support/design.hpp"

namespace bolvenda::testing {

namespace {

void show_only(runtime::ControlArray& pictures, int index) {
    for (int i = 0; i < pictures.count(); ++i) pictures.item(i).set_visible(i == index);
}

}  // namespace

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

scene::Rect frog_rows() {
    const scene::Rect a_fly = design_rect("Image2(1)"), a_frog = design_rect("Image1(1)");
    return {0, a_fly.bottom(), scene::design_width, a_frog.bottom() - a_fly.bottom()};
}

std::optional<Round> find_round(const Pixels& screen, Offscreen& offscreen) {
    const scene::Rect a_fly = design_rect("Image2(1)"), a_frog = design_rect("Image1(1)");
    const scene::Rect frogs_only = frog_rows();
    const scene::Rect both{0, a_fly.top, screen.width, a_frog.bottom() - a_fly.top};

    ExpectedGame probe;
    scene::Scene& s = probe.scene();
    std::optional<int> frog;
    for (int n = 0; n <= 20; ++n) {
        show_only(s.Image1(), n);
        show_only(s.Image2(), -1);
        if (compare(screen, offscreen.render(s), frogs_only).count != 0) continue;
        if (frog) return std::nullopt;
        frog = n;
    }
    if (!frog) return std::nullopt;
    std::optional<int> fly;
    show_only(s.Image1(), *frog);
    for (int n = 0; n <= 20; ++n) {
        show_only(s.Image2(), n);
        if (compare(screen, offscreen.render(s), both).count != 0) continue;
        if (fly) return std::nullopt;
        fly = n;
    }
    if (!fly) return std::nullopt;
    return Round{*frog, *fly};
}

}  // namespace bolvenda::testing
