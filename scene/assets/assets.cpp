#include "scene/assets/assets.hpp"

#include "scene/assets/embedded_files.hpp"

namespace bolvenda::assets {

namespace {

std::span<const unsigned char> find(std::span<const detail::EmbeddedFile> files,
                                    std::string_view name) {
    for (const detail::EmbeddedFile& file : files)
        if (file.name == name) return file.bytes;
    return {};
}

}  // namespace

std::span<const unsigned char> asset(std::string_view name) {
    return find(detail::pictures_files(), name);
}

std::span<const std::string_view> asset_names() { return detail::pictures_names(); }

std::span<const unsigned char> sound(std::string_view name) {
    return find(detail::sounds_files(), name);
}

std::span<const unsigned char> typeface(Typeface face) {
    return find(detail::fonts_files(),
                face == Typeface::Bold ? "BolvendaSans-Bold.ttf" : "BolvendaSans-Regular.ttf");
}

}  // namespace bolvenda::assets
