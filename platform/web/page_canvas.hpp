// The page's canvas as the game's window: sized in device pixels to fill the page (sharp at
// any pixel ratio), the painter's frame put on it where it changed, and the pointer's shape.
#pragma once

#include <optional>
#include <span>

#include "render/pixel_buffer.hpp"
#include "scene/geometry.hpp"
#include "scene/layout.hpp"

namespace bolvenda::web {

class PageCanvas {
  public:
    // Sizes the canvas to the page; returns whether its size changed (it is then blank).
    bool fit_page();
    int width() const noexcept { return frame_.width(); }
    int height() const noexcept { return frame_.height(); }
    // Where the painter draws, the canvas's size; nothing where that memory cannot be had.
    std::optional<render::PixelView> frame();
    // The frame's rectangles onto the canvas.
    void show(std::span<const scene::Rect> changed);
    // A point of the page (CSS pixels from its top-left corner) in the canvas's pixels.
    scene::Point from_page(double x, double y) const;
    void set_cursor(scene::Cursor cursor);

  private:
    render::PixelImage frame_;
    double ratio_ = 1;  // canvas pixels per CSS pixel
    scene::Cursor cursor_ = scene::Cursor::Arrow;
    int hand_size_ = 0;  // of the hand the page was given last
};

}  // namespace bolvenda::web
