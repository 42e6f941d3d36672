#include "scene/assets/assets.hpp"

#include "scene/assets/embedded_files.hpp"

namespace bolvenda::assets {

std::span<const unsigned char> asset(std::string_view name) {
    for (const detail::EmbeddedFile& file : detail::embedded_files())
        if (file.name == name) return file.bytes;
    return {};
}

std::span<const std::string_view> asset_names() { return detail::embedded_names(); }

}  // namespace bolvenda::assets
