// The pictures of the table, scaled copies made once per size from the embedded bytes and kept
// until the window's scale changes; all 21 frogs share one copy, all 21 flies too. Up to the
// design size a copy is the stored GIF resampled, as the design fixes it; above it, the
// picture's drawing drawn at the size shown, so that it stays as sharp as the drawing. Neither
// the decoded pictures nor the parsed drawings are kept: each is made again when a new size
// needs it (a few milliseconds), so memory holds only what the window shows.
#pragma once

#include <array>
#include <map>
#include <span>
#include <tuple>

#include "render/premultiplied_image.hpp"
#include "scene/layout.hpp"

namespace bolvenda::render {

struct PictureSize {
    int width = 0;
    int height = 0;
};

class PictureSet {
  public:
    PictureSet();  // throws StartupError if a picture or drawing is missing or is no GIF

    PictureSize natural_size(scene::Picture picture) const;
    // The picture at its own size, decoded afresh; throws StartupError if it does not decode.
    PremultipliedImage decode(scene::Picture picture) const;
    // The SVG text of the picture's drawing.
    std::span<const unsigned char> drawing(scene::Picture picture) const;

    // The window's scale from now on: above 1 the copies come from the drawings. A change of
    // scale forgets the copies made for the old one.
    void use_scale(double scale);
    bool from_drawings() const { return scale_ > 1.0; }

    const PremultipliedImage& sized(scene::Picture picture, int width, int height);
    // Drops the scaled copies; the next window size makes its own.
    void forget_sizes() { sized_.clear(); }

  private:
    double scale_ = 1.0;
    std::map<std::tuple<scene::Picture, int, int>, PremultipliedImage> sized_;
};

}  // namespace bolvenda::render
