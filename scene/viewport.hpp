// Maps the design (792 x 566 pixels) onto a window of any size: one uniform scale, the scene
// centred and letterboxed in the background colour. Edges are mapped one by one, so elements
// that touch at the design size still touch at any scale.
#pragma once

#include <optional>

#include "scene/geometry.hpp"

namespace bolvenda::scene {

class Viewport {
  public:
    // The design size itself: scale 1, no letterbox.
    Viewport();
    // The largest uniform scale at which the whole design fits a window of this size.
    static Viewport fit(int window_width, int window_height);

    double scale() const noexcept { return scale_; }
    int window_width() const noexcept { return window_width_; }
    int window_height() const noexcept { return window_height_; }

    // Design edge coordinate to window pixels.
    int x(int design_x) const;
    int y(int design_y) const;
    Rect to_window(Rect design) const;
    // A design length (a font size, a line width) at this scale, never below 1.
    int length(int design_length) const;
    // Where the scene lies in the window; the rest is letterbox.
    Rect client_area() const;

    // The design point under a window pixel, or nothing in the letterbox.
    std::optional<Point> to_design(int window_x, int window_y) const;

    friend bool operator==(const Viewport&, const Viewport&) = default;

  private:
    double scale_;
    int offset_x_;
    int offset_y_;
    int window_width_;
    int window_height_;
};

}  // namespace bolvenda::scene
