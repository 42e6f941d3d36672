#include "scene/viewport.hpp"

#include <algorithm>
#include <cmath>

#include "scene/layout.hpp"

namespace bolvenda::scene {

Viewport::Viewport()
    : scale_(1.0),
      offset_x_(0),
      offset_y_(0),
      window_width_(design_width),
      window_height_(design_height) {}

Viewport Viewport::fit(int window_width, int window_height) {
    Viewport v;
    v.window_width_ = std::max(window_width, 1);
    v.window_height_ = std::max(window_height, 1);
    v.scale_ = std::min(static_cast<double>(v.window_width_) / design_width,
                        static_cast<double>(v.window_height_) / design_height);
    // Exactly 1 when the window is the design size, whatever the rounding above.
    if (v.window_width_ == design_width && v.window_height_ >= design_height) v.scale_ = 1.0;
    if (v.window_height_ == design_height && v.window_width_ >= design_width) v.scale_ = 1.0;
    v.offset_x_ = (v.window_width_ - static_cast<int>(std::lround(design_width * v.scale_))) / 2;
    v.offset_y_ = (v.window_height_ - static_cast<int>(std::lround(design_height * v.scale_))) / 2;
    return v;
}

int Viewport::x(int design_x) const {
    return offset_x_ + static_cast<int>(std::lround(design_x * scale_));
}

int Viewport::y(int design_y) const {
    return offset_y_ + static_cast<int>(std::lround(design_y * scale_));
}

Rect Viewport::to_window(Rect d) const {
    int left = x(d.left);
    int top = y(d.top);
    return {left, top, x(d.right()) - left, y(d.bottom()) - top};
}

int Viewport::length(int design_length) const {
    return std::max(1, static_cast<int>(std::lround(design_length * scale_)));
}

Rect Viewport::client_area() const { return to_window({0, 0, design_width, design_height}); }

std::optional<Point> Viewport::to_design(int window_x, int window_y) const {
    if (!client_area().contains({window_x, window_y})) return std::nullopt;
    // The design pixel under the window pixel's centre.
    int dx = static_cast<int>(std::floor((window_x - offset_x_ + 0.5) / scale_));
    int dy = static_cast<int>(std::floor((window_y - offset_y_ + 0.5) / scale_));
    return Point{std::clamp(dx, 0, design_width - 1), std::clamp(dy, 0, design_height - 1)};
}

}  // namespace bolvenda::scene
