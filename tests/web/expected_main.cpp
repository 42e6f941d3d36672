// The browser tests' offscreen half: keeps the scene states of one game, as the window tests
// do, and holds page screenshots against the offscreen render of the current state.
// Reads one command a line on stdin, answers one line on stdout:
//   reset | round N1 SOMMA NUMBER CAUGHT | answer N1 SOMMA D CAUGHT   -> ok
//   ring NAME | ring none                 -> ok: the keyboard's ring around that element, or none
//   compare PNG [LEFT TOP WIDTH HEIGHT]   -> differ FAR near NEAR of PIXELS (FAR -1: other sizes)
//   find PNG                              -> round N1 SOMMA | none
//   centre LEFT TOP WIDTH HEIGHT W H      -> X Y: a design rectangle's centre in a W x H window
//   title                                 -> the window's title
//   rect NAME                             -> LEFT TOP WIDTH HEIGHT of the element so named
#include <cstdio>
#include <iostream>
#include <memory>
#include <optional>
#include <sstream>
#include <string>

#if defined(__GNUC__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wunused-function"
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#pragma GCC diagnostic ignored "-Wsign-compare"
#pragma GCC diagnostic ignored "-Wunused-parameter"
#pragma GCC diagnostic ignored "-Wimplicit-fallthrough"
#endif
#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_PNG
#include <stb/stb_image.h>
#if defined(__GNUC__)
#pragma GCC diagnostic pop
#endif

#include "play/keyboard_focus.hpp"
#include "scene/layout.hpp"
#include "tests/support/design.hpp"
#include "tests/support/expected_game.hpp"

namespace {

using namespace bolvenda;
using testing::Pixels;

std::optional<Pixels> read_png(const std::string& path) {
    int w = 0, h = 0, channels = 0;
    std::unique_ptr<unsigned char, void (*)(void*)> data(
        stbi_load(path.c_str(), &w, &h, &channels, 3), stbi_image_free);
    if (!data) return std::nullopt;
    Pixels p{w, h, {}};
    p.data.resize(static_cast<std::size_t>(w) * h);
    for (std::size_t i = 0; i < p.data.size(); ++i) {
        const unsigned char* rgb = data.get() + 3 * i;
        p.data[i] = std::uint32_t(rgb[0]) << 16 | std::uint32_t(rgb[1]) << 8 | rgb[2];
    }
    return p;
}

// The browser's text comes from FreeType built for wasm32, whose glyph edges differ
// by one level of coverage at a few pixels from the desktop's (about one pixel in 100 000):
// those are told apart from real differences.
constexpr int browser_tolerance = 1;

class Expected {
  public:
    std::string run(const std::string& line) {
        std::istringstream in(line);
        std::string command;
        in >> command;
        if (command == "reset") {
            game_ = std::make_unique<testing::ExpectedGame>();
            ring_.reset();
            return "ok";
        }
        if (command == "ring") {
            std::string name;
            in >> name;
            if (name == "none")
                ring_.reset();
            else
                ring_ = play::focus_ring_around(testing::design_rect(name));
            return "ok";
        }
        if (command == "round" || command == "answer") {
            int n1 = 0, somma = 0, n = 0, caught = 0;
            if (!(in >> n1 >> somma >> n >> caught))
                return "error: " + command + " needs four numbers";
            if (command == "round")
                game_->round_started({n1, somma}, n, caught);
            else
                game_->answered({n1, somma}, n, caught);
            return "ok";
        }
        if (command == "compare" || command == "find") {
            std::string path;
            in >> path;
            auto shot = read_png(path);
            if (!shot) return "error: cannot read " + path;
            if (command == "find") {
                auto round = testing::find_round(*shot, renderer_);
                return round ? "round " + std::to_string(round->n1) + " " +
                                   std::to_string(round->somma)
                             : "none";
            }
            scene::Rect area{0, 0, shot->width, shot->height};
            in >> area.left >> area.top >> area.width >> area.height;
            std::vector<scene::Overlay> drawn;
            if (ring_)
                drawn.push_back(
                    scene::Overlay::mark(*ring_, play::focus_ring_colour, play::focus_ring_width));
            Pixels expected =
                renderer_.render(game_->scene(), shot->width, shot->height, std::nullopt, drawn);
            const testing::Difference d =
                testing::compare(*shot, expected, area, browser_tolerance);
            if (d.count < 0) return "differ -1 near 0";
            if (d.count + d.within != 0) testing::write_ppm(expected, path + ".expected.ppm");
            return "differ " + std::to_string(d.count) + " near " + std::to_string(d.within) +
                   " of " + std::to_string(long(area.width) * area.height);
        }
        if (command == "centre") {
            scene::Rect r{};
            int w = 0, h = 0;
            if (!(in >> r.left >> r.top >> r.width >> r.height >> w >> h))
                return "error: centre needs six numbers";
            const scene::Point c = testing::centre_of(r, scene::Viewport::fit(w, h));
            return std::to_string(c.x) + " " + std::to_string(c.y);
        }
        if (command == "title") return std::string(scene::window_title);
        if (command == "rect") {
            std::string name;
            in >> name;
            const scene::Rect r = testing::design_rect(name);
            return std::to_string(r.left) + " " + std::to_string(r.top) + " " +
                   std::to_string(r.width) + " " + std::to_string(r.height);
        }
        return "error: unknown command " + command;
    }

  private:
    testing::Offscreen renderer_;
    std::optional<scene::Rect> ring_;
    std::unique_ptr<testing::ExpectedGame> game_ = std::make_unique<testing::ExpectedGame>();
};

}  // namespace

int main() {
    Expected expected;
    std::string line;
    while (std::getline(std::cin, line)) std::cout << expected.run(line) << std::endl;
}
