// Points and rectangles in the window's design pixels (15 twips to a pixel), x to the right,
// y downwards. A rectangle covers [left, left + width) x [top, top + height).
#pragma once

namespace bolvenda::scene {

struct Point {
    int x = 0;
    int y = 0;
    friend bool operator==(Point, Point) = default;
};

struct Rect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;

    int right() const noexcept { return left + width; }
    int bottom() const noexcept { return top + height; }
    bool contains(Point p) const noexcept {
        return p.x >= left && p.x < right() && p.y >= top && p.y < bottom();
    }
    friend bool operator==(const Rect&, const Rect&) = default;
};

struct Rgb {
    unsigned char r = 0;
    unsigned char g = 0;
    unsigned char b = 0;
    friend bool operator==(Rgb, Rgb) = default;
};

}  // namespace bolvenda::scene
