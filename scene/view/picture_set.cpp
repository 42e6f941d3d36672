#include "scene/view/picture_set.hpp"

#include <string>

#include "scene/assets/assets.hpp"
#include "scene/view/startup_error.hpp"

namespace bolvenda::view {

using scene::Picture;

namespace {

std::string name_of(Picture picture) { return std::string(scene::asset_name(picture)); }

}  // namespace

PictureSet::PictureSet() {
    for (std::size_t i = 0; i < sizes_.size(); ++i) {
        const std::string name = name_of(static_cast<Picture>(i));
        const auto bytes = assets::asset(name);
        // The logical screen of a GIF header: "GIF8?a", then width and height, little-endian.
        if (bytes.size() < 10 || bytes[0] != 'G' || bytes[1] != 'I' || bytes[2] != 'F') {
            throw StartupError("cannot decode the picture " + name + " (no GIF)",
                               "Impossibile leggere le immagini del gioco.");
        }
        sizes_[i] = {bytes[6] | bytes[7] << 8, bytes[8] | bytes[9] << 8};
    }
}

PictureSize PictureSet::natural_size(Picture picture) const {
    return sizes_[static_cast<std::size_t>(picture)];
}

PremultipliedImage PictureSet::decode(Picture picture) const {
    const std::string name = name_of(picture);
    return decode_picture(assets::asset(name), name.c_str());
}

const PremultipliedImage& PictureSet::sized(Picture picture, int width, int height) {
    auto key = std::make_tuple(picture, width, height);
    auto found = sized_.find(key);
    if (found != sized_.end()) return found->second;
    PremultipliedImage decoded = decode(picture);
    if (decoded.width != width || decoded.height != height)
        decoded = resample(decoded, width, height);
    return sized_.emplace(key, std::move(decoded)).first->second;
}

}  // namespace bolvenda::view
