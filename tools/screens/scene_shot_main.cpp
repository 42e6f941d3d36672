// bolvenda_scene_shot OUT_DIR [WIDTH HEIGHT]: the window as the game's own painter draws it,
// offscreen, at the moments worth looking at: start-up, a round of 7 + 3 and its right
// answer, a round of 9 + 8 and the near miss 16. Each round is played through the game's
// handlers, from a clock reading that makes the draw come out as wanted.
#include <cstdio>
#include <exception>
#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>

#include "play/frog_leap.hpp"
#include "scene/layout.hpp"
#include "tests/support/driver.hpp"
#include "tests/support/offscreen.hpp"
#include "tools/screens/png_file.hpp"

namespace fs = std::filesystem;
using bolvenda::testing::Driver;
using bolvenda::testing::Offscreen;
using bolvenda::testing::Pixels;
using bolvenda::tools::write_png;

namespace {

// A game whose first round is n1 + n2: the clock's first reading seeds the draw.
std::unique_ptr<Driver> game_with_round(int n1, int n2) {
    for (int tenth = 0; tenth < 864000; ++tenth) {
        auto d = std::make_unique<Driver>(static_cast<float>(tenth) / 10.0f);
        d->new_round();
        if (d->form().n1 == static_cast<float>(n1) && d->form().n2 == static_cast<float>(n2))
            return d;
    }
    throw std::runtime_error("no clock reading draws " + std::to_string(n1) + " + " +
                             std::to_string(n2));
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2 && argc != 4) {
        std::fprintf(stderr, "usage: %s OUT_DIR [WIDTH HEIGHT]\n", argv[0]);
        return 2;
    }
    try {
        const fs::path out = argv[1];
        const int width = argc == 4 ? std::stoi(argv[2]) : bolvenda::scene::design_width;
        const int height = argc == 4 ? std::stoi(argv[3]) : bolvenda::scene::design_height;
        fs::create_directories(out);
        Offscreen offscreen;
        auto shoot = [&](Driver& d, const char* name) {
            write_png(offscreen.render(d.scene(), width, height), out / name);
        };
        Driver start;
        shoot(start, "start.png");
        auto right = game_with_round(7, 3);
        shoot(*right, "round_7_3.png");
        right->click_number(10);
        shoot(*right, "right_7_3.png");
        auto near = game_with_round(9, 8);
        shoot(*near, "round_9_8.png");
        near->click_number(16);
        shoot(*near, "near_miss_9_8.png");
        // The frog in mid-leap, at a quarter, a half and three quarters of its time: a long
        // jump right, a long jump left (a wrong answer) and a hop on its own number.
        auto shoot_leap = [&](Driver& d, int to, const std::string& name) {
            const int from = d.scene().frog_number();
            d.scene().changes().take();  // the leap reads what the click alone changed
            d.click_number(to);
            bolvenda::scene::Layout layout(d.scene());
            bolvenda::play::FrogLeap leap(d.scene(), layout);
            leap.clicked(d.scene().Label(to + 1), d.scene().changes().pending(), 0);
            const auto duration = bolvenda::play::FrogLeap::duration_ms(from, to);
            for (int quarter : {1, 2, 3}) {
                leap.time_passed(duration * static_cast<unsigned>(quarter) / 4);
                write_png(offscreen.render(d.scene(), width, height, std::nullopt, leap.overlays()),
                          out / (name + "_" + std::to_string(quarter) + "of4.png"));
            }
        };
        shoot_leap(*game_with_round(1, 18), 19, "leap_right_1_19");
        shoot_leap(*game_with_round(19, 1), 2, "leap_left_19_2");
        shoot_leap(*game_with_round(9, 8), 9, "hop_9");
    } catch (const std::exception& e) {
        std::fprintf(stderr, "bolvenda_scene_shot: %s\n", e.what());
        return 1;
    }
    return 0;
}
