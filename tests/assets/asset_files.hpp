// The committed asset files as the tests see them, and the facts each picture must meet.
#pragma once

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <ostream>
#include <string>
#include <vector>

#include "tests/assets/gif_library.hpp"

namespace bolvenda::test {

inline std::vector<std::uint8_t> read_bytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

inline std::vector<std::uint8_t> committed(const std::string& name) {
    return read_bytes(std::filesystem::path(BOLVENDA_ASSET_DIR) / name);
}

struct PictureFacts {
    const char* name;
    int width, height;
    int transparent_index;
    GifColour transparent_colour;
    double transparent_share;  // roughly, of all pixels
};

// Test names and failure messages show the file, not the struct's bytes.
inline void PrintTo(const PictureFacts& f, std::ostream* os) { *os << f.name; }

inline const std::vector<PictureFacts>& picture_facts() {
    static const std::vector<PictureFacts> facts{
        {"pond.gif", 800, 600, 251, {0x95, 0x97, 0x8F}, 0.0},
        {"frog.gif", 88, 123, 15, {255, 255, 255}, 0.74},
        {"fly.gif", 200, 185, 63, {255, 255, 255}, 0.50},
        {"face_waiting.gif", 64, 37, 255, {255, 255, 255}, 0.50},
        {"face_sad.gif", 64, 37, 255, {255, 255, 255}, 0.48},
        {"face_happy.gif", 64, 37, 255, {255, 255, 255}, 0.48},
        {"equals.gif", 54, 47, 15, {255, 255, 255}, 0.71},
        {"not_equal.gif", 54, 47, 15, {255, 255, 255}, 0.66},
        {"sleeping_frog.gif", 110, 93, 255, {255, 255, 255}, 0.48},
    };
    return facts;
}

}  // namespace bolvenda::test
