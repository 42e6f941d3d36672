#include "pe_image.hpp"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <tuple>

namespace bolvenda::windows_test {

namespace {

[[noreturn]] void damaged(const std::string& what) {
    throw std::runtime_error("not a readable Windows executable: " + what);
}

constexpr int import_directory = 1;
constexpr int resource_directory = 2;

}  // namespace

PeImage PeImage::read_file(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error("cannot open " + path);
    return PeImage({std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()});
}

std::uint16_t PeImage::u16(std::size_t at) const {
    if (at > bytes_.size() || bytes_.size() - at < 2) damaged("read past the end");
    return static_cast<std::uint16_t>(bytes_[at] | bytes_[at + 1] << 8);
}

std::uint32_t PeImage::u32(std::size_t at) const {
    return u16(at) | static_cast<std::uint32_t>(u16(at + 2)) << 16;
}

PeImage::PeImage(std::vector<unsigned char> bytes) : bytes_(std::move(bytes)) {
    if (u16(0) != 0x5A4D) damaged("no MZ header");
    const std::size_t pe = u32(0x3C);
    if (u32(pe) != 0x00004550) damaged("no PE signature");
    const std::size_t coff = pe + 4;
    const std::uint16_t section_count = u16(coff + 2);
    const std::size_t optional = coff + 20;
    const std::uint16_t optional_size = u16(coff + 16);
    const std::uint16_t magic = u16(optional);
    if (magic != 0x10B && magic != 0x20B) damaged("unknown optional header");
    pe32_plus_ = magic == 0x20B;
    subsystem_ = u16(optional + 68);
    const std::size_t directories = optional + (pe32_plus_ ? 112 : 96);
    const std::uint32_t directory_count = u32(directories - 4);
    auto directory = [&](int index) -> std::pair<std::uint32_t, std::uint32_t> {
        if (static_cast<std::uint32_t>(index) >= directory_count) return {0, 0};
        return {u32(directories + 8 * index), u32(directories + 8 * index + 4)};
    };
    import_rva_ = directory(import_directory).first;
    std::tie(resource_rva_, resource_size_) = directory(resource_directory);

    const std::size_t table = optional + optional_size;
    for (std::size_t i = 0; i < section_count; ++i) {
        const std::size_t s = table + 40 * i;
        sections_.push_back(
            {u32(s + 12), std::max(u32(s + 8), u32(s + 16)), u32(s + 20), u32(s + 16)});
    }
}

std::size_t PeImage::file_offset(std::uint32_t rva, std::size_t length) const {
    for (const Section& s : sections_) {
        if (rva >= s.address && rva - s.address < s.size) {
            const std::size_t within = rva - s.address;
            if (within + length > s.file_size) damaged("data beyond its section");
            const std::size_t at = s.file_offset + within;
            if (at + length > bytes_.size()) damaged("section beyond the file");
            return at;
        }
    }
    damaged("address in no section");
}

std::string PeImage::c_string(std::size_t at) const {
    std::string text;
    for (;; ++at) {
        if (at >= bytes_.size()) damaged("unterminated name");
        if (bytes_[at] == 0) return text;
        text += static_cast<char>(bytes_[at]);
    }
}

std::vector<std::string> PeImage::imported_dlls() const {
    std::vector<std::string> names;
    if (import_rva_ == 0) return names;
    // Twenty-byte descriptors, ended by one of zeros; the name's address is at offset 12.
    for (std::uint32_t rva = import_rva_;; rva += 20) {
        const std::size_t d = file_offset(rva, 20);
        const std::uint32_t name = u32(d + 12);
        if (name == 0 && u32(d) == 0 && u32(d + 16) == 0) return names;
        names.push_back(c_string(file_offset(name, 1)));
        if (names.size() > 4096) damaged("endless import directory");
    }
}

void PeImage::walk_resources(std::size_t directory, int level, Resource partial,
                             std::vector<Resource>& out) const {
    // Levels: type, name or number, language; then the data entry.
    const std::size_t base = file_offset(resource_rva_, resource_size_);
    if (directory + 16 > resource_size_) damaged("resource directory beyond its end");
    const std::size_t d = base + directory;
    const std::size_t count = std::size_t{u16(d + 12)} + u16(d + 14);
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t e = d + 16 + 8 * i;
        const std::uint32_t name = u32(e), target = u32(e + 4);
        Resource r = partial;
        if (level == 1 && (name & 0x80000000u) != 0) {
            const std::size_t at = base + (name & 0x7FFFFFFFu);
            const std::uint16_t length = u16(at);
            for (std::size_t c = 0; c < length; ++c)
                r.name += static_cast<char16_t>(u16(at + 2 + 2 * c));
        } else {
            const auto number = static_cast<std::uint16_t>(name & 0xFFFF);
            (level == 0 ? r.type : level == 1 ? r.id : r.language) = number;
        }
        if ((target & 0x80000000u) != 0) {
            if (level >= 2) damaged("resource tree deeper than three levels");
            walk_resources(target & 0x7FFFFFFFu, level + 1, r, out);
        } else {
            if (level != 2) damaged("resource data above the language level");
            const std::size_t entry = base + target;
            const std::uint32_t size = u32(entry + 4);
            r.data = std::span(bytes_).subspan(file_offset(u32(entry), size), size);
            out.push_back(r);
        }
    }
}

std::vector<Resource> PeImage::resources() const {
    std::vector<Resource> out;
    if (resource_rva_ != 0) walk_resources(0, 0, {}, out);
    return out;
}

std::vector<Resource> PeImage::resources(ResourceType type) const {
    std::vector<Resource> all = resources();
    std::erase_if(all,
                  [&](const Resource& r) { return r.type != static_cast<std::uint16_t>(type); });
    return all;
}

std::vector<unsigned char> icon_file(const PeImage& image, const Resource& group) {
    // The group is the .ico header with each entry's file offset replaced by an icon id.
    const auto g = group.data;
    if (g.size() < 6) damaged("short icon group");
    const std::size_t count = g[4] | g[5] << 8;
    if (g.size() < 6 + 14 * count) damaged("short icon group");
    const std::vector<Resource> icons = image.resources(ResourceType::icon);

    std::vector<unsigned char> file(g.begin(), g.begin() + 6);
    std::vector<unsigned char> pictures;
    std::size_t offset = 6 + 16 * count;
    for (std::size_t i = 0; i < count; ++i) {
        const auto entry = g.subspan(6 + 14 * i, 14);
        const std::uint16_t id = static_cast<std::uint16_t>(entry[12] | entry[13] << 8);
        auto icon =
            std::find_if(icons.begin(), icons.end(), [&](const Resource& r) { return r.id == id; });
        if (icon == icons.end()) damaged("icon group names a missing icon");
        file.insert(file.end(), entry.begin(), entry.begin() + 12);
        const auto at = static_cast<std::uint32_t>(offset + pictures.size());
        for (int b = 0; b < 4; ++b) file.push_back(static_cast<unsigned char>(at >> (8 * b)));
        pictures.insert(pictures.end(), icon->data.begin(), icon->data.end());
    }
    file.insert(file.end(), pictures.begin(), pictures.end());
    return file;
}

}  // namespace bolvenda::windows_test
