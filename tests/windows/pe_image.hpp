// Reads back what the tests hold against the design from a Windows executable: the DLLs it
// imports and its resources. Every read is bounds-checked: a damaged file is an error.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace bolvenda::windows_test {

enum class ResourceType : std::uint16_t { icon = 3, group_icon = 14, version = 16, manifest = 24 };

struct Resource {
    std::uint16_t type = 0;
    std::uint16_t id = 0;  // resources named by text have none of their own here: 0
    std::u16string name;   // their name; empty for numbered ones
    std::uint16_t language = 0;
    std::span<const unsigned char> data;  // into the image's bytes
};

class PeImage {
  public:
    explicit PeImage(std::vector<unsigned char> bytes);  // throws std::runtime_error
    static PeImage read_file(const std::string& path);

    bool is_64_bit() const { return pe32_plus_; }
    std::uint16_t subsystem() const { return subsystem_; }  // 2 = GUI, 3 = console

    // The DLL names of the import directory, as written (case kept).
    std::vector<std::string> imported_dlls() const;
    // Every resource, in the order of the resource directory.
    std::vector<Resource> resources() const;
    std::vector<Resource> resources(ResourceType type) const;

  private:
    struct Section {
        std::uint32_t address, size, file_offset, file_size;
    };
    std::uint16_t u16(std::size_t at) const;
    std::uint32_t u32(std::size_t at) const;
    std::size_t file_offset(std::uint32_t rva, std::size_t length) const;
    std::string c_string(std::size_t at) const;
    void walk_resources(std::size_t directory, int level, Resource partial,
                        std::vector<Resource>& out) const;

    std::vector<unsigned char> bytes_;
    std::vector<Section> sections_;
    bool pe32_plus_ = false;
    std::uint16_t subsystem_ = 0;
    std::uint32_t import_rva_ = 0, resource_rva_ = 0, resource_size_ = 0;
};

// An .ico file put back together from a group-icon resource and the icon images it names.
std::vector<unsigned char> icon_file(const PeImage& image, const Resource& group);

}  // namespace bolvenda::windows_test
