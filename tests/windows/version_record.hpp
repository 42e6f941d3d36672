// The version record of a Windows executable (its VS_VERSION_INFO resource) read back whole:
// the numeric versions, every string block with its entries in order, the translation entries,
// and the key of anything else it holds.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <utility>
#include <vector>

namespace bolvenda::windows_test {

struct StringBlock {
    std::string key;  // "041004B0": language and code page in hexadecimal
    std::vector<std::pair<std::string, std::string>> entries;
};

struct VersionRecord {
    std::array<std::uint16_t, 4> file_version{};
    std::array<std::uint16_t, 4> product_version{};
    std::vector<StringBlock> string_blocks;
    // Each translation as language and code page.
    std::vector<std::pair<std::uint16_t, std::uint16_t>> translations;
    // Keys of nodes that are none of the above, in the order met.
    std::vector<std::string> other_keys;
};

// Throws std::runtime_error when the bytes are not a well-formed version record.
VersionRecord read_version_record(std::span<const unsigned char> bytes);

}  // namespace bolvenda::windows_test
