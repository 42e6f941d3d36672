// The table the build writes from the committed asset files (see embed.cmake).
#pragma once

#include <span>
#include <string_view>

namespace bolvenda::assets::detail {

struct EmbeddedFile {
    std::string_view name;
    std::span<const unsigned char> bytes;
};

std::span<const EmbeddedFile> embedded_files();
std::span<const std::string_view> embedded_names();

}  // namespace bolvenda::assets::detail
