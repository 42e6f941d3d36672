#include "platform/web/sound_files.hpp"

namespace bolvenda::web {

std::span<unsigned char> SoundFiles::room(std::size_t size) {
    ready_ = false;
    files_.clear();
    bytes_.assign(size, 0);
    return bytes_;
}

void SoundFiles::arrived() {
    files_.clear();
    const std::span<const unsigned char> all(bytes_);
    std::size_t at = 0;
    while (at < all.size()) {
        const std::size_t name_length = all[at];
        if (all.size() - at < 1 + name_length + 4) break;
        const std::string_view name(reinterpret_cast<const char*>(all.data()) + at + 1,
                                    name_length);
        at += 1 + name_length;
        const std::size_t size = all[at] | all[at + 1] << 8 | all[at + 2] << 16 |
                                 static_cast<std::size_t>(all[at + 3]) << 24;
        at += 4;
        if (size > all.size() - at) break;
        files_.emplace_back(name, all.subspan(at, size));
        at += size;
    }
    ready_ = true;
}

std::span<const unsigned char> SoundFiles::file(std::string_view name) const {
    for (const auto& [known, bytes] : files_)
        if (known == name) return bytes;
    return {};
}

}  // namespace bolvenda::web
