// The nine pictures, scaled copies made once per size from the embedded bytes and kept until
// the window's scale changes; all 21 frogs share one copy, all 21 flies too. The decoded
// pictures themselves are not kept: each is decoded when a new size needs it (a few
// milliseconds), so memory holds only what the window shows.
#pragma once

#include <array>
#include <map>
#include <tuple>

#include "scene/layout.hpp"
#include "scene/view/premultiplied_image.hpp"

namespace bolvenda::view {

struct PictureSize {
    int width = 0;
    int height = 0;
};

class PictureSet {
  public:
    PictureSet();  // throws StartupError if a picture is missing or is no GIF

    PictureSize natural_size(scene::Picture picture) const;
    // The picture at its own size, decoded afresh; throws StartupError if it does not decode.
    PremultipliedImage decode(scene::Picture picture) const;
    const PremultipliedImage& sized(scene::Picture picture, int width, int height);
    // Drops the scaled copies; the next window size makes its own.
    void forget_sizes() { sized_.clear(); }

  private:
    std::array<PictureSize, 9> sizes_;
    std::map<std::tuple<scene::Picture, int, int>, PremultipliedImage> sized_;
};

}  // namespace bolvenda::view
