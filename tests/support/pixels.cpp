// The comparer and the picture writer of pixels.hpp.
#include "tests/support/pixels.hpp"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>

namespace bolvenda::testing {

std::string Difference::describe() const {
    if (count < 0) return "the sizes differ";
    if (count == 0) return "identical";
    char text[160];
    std::snprintf(text, sizeof text,
                  "%ld pixels differ, the first at (%d, %d): %06X instead of %06X", count, first_x,
                  first_y, actual, expected);
    return text;
}

Difference compare(const Pixels& actual, const Pixels& expected, std::optional<scene::Rect> area,
                   int tolerance) {
    Difference d;
    if (actual.width != expected.width || actual.height != expected.height) {
        d.count = -1;
        return d;
    }
    const scene::Rect a = area.value_or(scene::Rect{0, 0, actual.width, actual.height});
    const int left = std::max(a.left, 0), right = std::min(a.right(), actual.width);
    const int top = std::max(a.top, 0), bottom = std::min(a.bottom(), actual.height);
    int min_x = right, min_y = bottom, max_x = -1, max_y = -1;
    for (int y = top; y < bottom; ++y) {
        const auto row = [&](const Pixels& p) { return p.data.begin() + y * p.width; };
        if (left < right &&
            std::equal(row(actual) + left, row(actual) + right, row(expected) + left))
            continue;  // most rows of most comparisons: worth the check in a whole-frame fuzzer
        for (int x = left; x < right; ++x) {
            const std::uint32_t p = actual.at(x, y), q = expected.at(x, y);
            if (p == q) continue;
            int most = 0;
            for (int shift : {0, 8, 16})
                most = std::max(most, std::abs(int(p >> shift & 0xFF) - int(q >> shift & 0xFF)));
            if (most <= tolerance) {
                ++d.within;
                continue;
            }
            if (d.count++ == 0) {
                d.first_x = x;
                d.first_y = y;
                d.actual = p;
                d.expected = q;
            }
            min_x = std::min(min_x, x), max_x = std::max(max_x, x);
            min_y = std::min(min_y, y), max_y = std::max(max_y, y);
        }
    }
    if (d.count > 0) d.bounds = {min_x, min_y, max_x - min_x + 1, max_y - min_y + 1};
    return d;
}

std::optional<double> edge_difference(const Pixels& actual, const Pixels& reference,
                                      scene::Rect area, std::span<const scene::Rect> left_out) {
    if (actual.width != reference.width || actual.height != reference.height) return {};
    const int left = std::max(area.left, 0), top = std::max(area.top, 0);
    const int right = std::min(area.right(), reference.width);
    const int bottom = std::min(area.bottom(), reference.height);
    if (right <= left || bottom <= top) return {};
    auto channel = [](std::uint32_t p, int shift) { return static_cast<int>(p >> shift & 0xFF); };
    auto step = [&](std::uint32_t a, std::uint32_t b) {
        int most = 0;
        for (int shift = 0; shift < 24; shift += 8)
            most = std::max(most, std::abs(channel(a, shift) - channel(b, shift)));
        return most;
    };
    const int w = right - left, h = bottom - top;
    std::vector<char> edge(static_cast<std::size_t>(w) * h, 0);
    std::vector<char> out(static_cast<std::size_t>(w) * h, 0);
    for (const scene::Rect& r : left_out)
        for (int y = std::max(r.top, top); y < std::min(r.bottom(), bottom); ++y)
            for (int x = std::max(r.left, left); x < std::min(r.right(), right); ++x)
                out[static_cast<std::size_t>(y - top) * w + (x - left)] = 1;
    auto counted = [&](int x, int y) {
        return x < right && y < bottom && !out[static_cast<std::size_t>(y - top) * w + (x - left)];
    };
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x) {
            if (!counted(x, y)) continue;
            const std::uint32_t here = reference.at(x, y);
            const bool sharp = (counted(x + 1, y) && step(here, reference.at(x + 1, y)) > 32) ||
                               (counted(x, y + 1) && step(here, reference.at(x, y + 1)) > 32);
            if (!sharp) continue;
            // The pixels on both sides of the step, and one more around them.
            for (int dy = -1; dy <= 2; ++dy)
                for (int dx = -1; dx <= 2; ++dx) {
                    const int ex = x - left + dx, ey = y - top + dy;
                    if (ex >= 0 && ex < w && ey >= 0 && ey < h)
                        edge[static_cast<std::size_t>(ey) * w + ex] = 1;
                }
        }
    long count = 0;
    double sum = 0;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const std::size_t i = static_cast<std::size_t>(y) * w + x;
            if (!edge[i] || out[i]) continue;
            const std::uint32_t a = actual.at(left + x, top + y),
                                b = reference.at(left + x, top + y);
            for (int shift = 0; shift < 24; shift += 8)
                sum += std::abs(channel(a, shift) - channel(b, shift));
            ++count;
        }
    if (count == 0) return {};
    return sum / (3.0 * static_cast<double>(count));
}

void write_ppm(const Pixels& pixels, const std::string& path) {
    std::ofstream out(path, std::ios::binary);
    out << "P6\n" << pixels.width << ' ' << pixels.height << "\n255\n";
    for (std::uint32_t p : pixels.data) {
        const char rgb[3] = {static_cast<char>(p >> 16), static_cast<char>(p >> 8),
                             static_cast<char>(p)};
        out.write(rgb, 3);
    }
}

}  // namespace bolvenda::testing
