// Pictures as the tests hold them (offscreen renders, window captures, browser screenshots) and
// the one comparer of two of them, with a tolerance for renderers that round differently.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "scene/geometry.hpp"

namespace bolvenda::testing {

// Pixels as 0xRRGGBB, row by row.
struct Pixels {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> data;

    std::uint32_t at(int x, int y) const { return data[static_cast<std::size_t>(y) * width + x]; }
    scene::Rgb rgb(int x, int y) const {
        const std::uint32_t p = at(x, y);
        return {static_cast<unsigned char>(p >> 16), static_cast<unsigned char>(p >> 8),
                static_cast<unsigned char>(p)};
    }
    friend bool operator==(const Pixels&, const Pixels&) = default;
};

// Where two pictures differ by more than the tolerance, in the area compared.
struct Difference {
    long count = 0;      // pixels beyond the tolerance; -1 if the sizes differ
    long within = 0;     // pixels that differ, but by no more than the tolerance
    scene::Rect bounds;  // the smallest rectangle holding the counted pixels; empty if none
    int first_x = -1, first_y = -1;
    std::uint32_t actual = 0, expected = 0;  // at the first counted pixel
    std::string describe() const;
};

// A pixel is counted when one of its channels differs by more than `tolerance` levels. The
// area is cut to the pictures, so that a design rectangle past the window's edge may be given.
Difference compare(const Pixels& actual, const Pixels& expected,
                   std::optional<scene::Rect> area = {}, int tolerance = 0);

// How far actual is from reference near reference's edges, in area: the mean absolute
// difference of the three channels over the pixels where a channel of the reference differs
// from a neighbour's by more than 32 levels, and the pixels around them. Flat areas match
// however a picture is scaled; its edges show whether it is as sharp as the reference. Nothing
// where no edge lies in the area or the sizes differ. Pixels in left_out are not counted.
std::optional<double> edge_difference(const Pixels& actual, const Pixels& reference,
                                      scene::Rect area, std::span<const scene::Rect> left_out = {});

// Writes a binary PPM, for a person to look at after a failure.
void write_ppm(const Pixels& pixels, const std::string& path);

}  // namespace bolvenda::testing
