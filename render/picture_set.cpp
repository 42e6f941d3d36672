#include "render/picture_set.hpp"

#include <string>

#include "render/drawing.hpp"
#include "render/startup_error.hpp"
#include "scene/assets/assets.hpp"

namespace bolvenda::render {

using scene::Picture;

namespace {

StartupError missing(std::string_view name, const char* why) {
    return StartupError("cannot decode the picture " + std::string(name) + " (" + why + ")",
                        "Impossibile leggere le immagini del gioco.");
}

}  // namespace

PictureSet::PictureSet() {
    for (const scene::PictureRow& row : scene::picture_table) {
        const auto bytes = assets::asset(row.stored);
        // The logical screen of a GIF header: "GIF8?a", then width and height, little-endian.
        if (bytes.size() < 10 || bytes[0] != 'G' || bytes[1] != 'I' || bytes[2] != 'F')
            throw missing(row.stored, "no GIF");
        if ((bytes[6] | bytes[7] << 8) != row.width || (bytes[8] | bytes[9] << 8) != row.height)
            throw missing(row.stored, "not the size of its row");
        if (assets::asset(row.drawing).empty()) throw missing(row.drawing, "no drawing");
    }
}

PictureSize PictureSet::natural_size(Picture picture) const {
    const scene::PictureRow& row = scene::row_of(picture);
    return {row.width, row.height};
}

PremultipliedImage PictureSet::decode(Picture picture) const {
    const std::string name(scene::row_of(picture).stored);
    return decode_picture(assets::asset(name), name.c_str());
}

std::span<const unsigned char> PictureSet::drawing(Picture picture) const {
    return assets::asset(scene::row_of(picture).drawing);
}

void PictureSet::use_scale(double scale) {
    if (scale != scale_) forget_sizes();
    scale_ = scale;
}

const PremultipliedImage& PictureSet::sized(Picture picture, int width, int height) {
    auto key = std::make_tuple(picture, width, height);
    auto found = sized_.find(key);
    if (found != sized_.end()) return found->second;
    if (from_drawings()) {
        const std::string name(scene::row_of(picture).drawing);
        return sized_.emplace(key, draw_svg(drawing(picture), name.c_str(), width, height))
            .first->second;
    }
    PremultipliedImage decoded = decode(picture);
    if (decoded.width != width || decoded.height != height)
        decoded = resample(decoded, width, height);
    return sized_.emplace(key, std::move(decoded)).first->second;
}

}  // namespace bolvenda::render
