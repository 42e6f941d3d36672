#include "scene/view/picture_set.hpp"

#include <string>

#include "scene/assets/assets.hpp"

namespace bolvenda::view {

using scene::Picture;

PictureSet::PictureSet() {
    for (std::size_t i = 0; i < natural_.size(); ++i) {
        std::string name(scene::asset_name(static_cast<Picture>(i)));
        natural_[i] = decode_picture(assets::asset(name), name.c_str());
    }
}

const PremultipliedImage& PictureSet::natural(Picture picture) const {
    return natural_[static_cast<std::size_t>(picture)];
}

const PremultipliedImage& PictureSet::sized(Picture picture, int width, int height) {
    auto key = std::make_tuple(picture, width, height);
    auto found = sized_.find(key);
    if (found != sized_.end()) return found->second;
    return sized_.emplace(key, resample(natural(picture), width, height)).first->second;
}

}  // namespace bolvenda::view
