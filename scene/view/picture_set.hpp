// The nine pictures, decoded once from the embedded bytes; scaled copies made once per size
// and kept until the window's scale changes. All 21 frogs share one copy, all 21 flies too.
#pragma once

#include <array>
#include <map>
#include <tuple>

#include "scene/layout.hpp"
#include "scene/view/premultiplied_image.hpp"

namespace bolvenda::view {

class PictureSet {
public:
    PictureSet();  // throws StartupError if a picture is missing or does not decode

    const PremultipliedImage& natural(scene::Picture picture) const;
    const PremultipliedImage& sized(scene::Picture picture, int width, int height);
    // Drops the scaled copies; the next window size makes its own.
    void forget_sizes() { sized_.clear(); }

private:
    std::array<PremultipliedImage, 9> natural_;
    std::map<std::tuple<scene::Picture, int, int>, PremultipliedImage> sized_;
};

}  // namespace bolvenda::view
