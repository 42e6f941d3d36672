// The table the build writes from the committed asset files (see embed.cmake).
#pragma once

#include <span>
#include <string_view>

namespace bolvenda::assets::detail {

struct EmbeddedFile {
    std::string_view name;
    std::span<const unsigned char> bytes;
};

// The pictures, pointer and icon.
std::span<const EmbeddedFile> pictures_files();
std::span<const std::string_view> pictures_names();
// The sounds.
std::span<const EmbeddedFile> sounds_files();
std::span<const std::string_view> sounds_names();
// The typefaces.
std::span<const EmbeddedFile> fonts_files();
std::span<const std::string_view> fonts_names();

}  // namespace bolvenda::assets::detail
