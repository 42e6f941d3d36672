// The committed asset files as the tests see them, and the facts each picture must meet.
#pragma once

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "scene/picture_table.hpp"
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
    std::string name;
    int width, height;
    int transparent_index;
    GifColour transparent_colour;
    std::optional<double> transparent_share;  // roughly, of all pixels, where the design says
};

// Test names and failure messages show the file, not the struct's bytes.
inline void PrintTo(const PictureFacts& f, std::ostream* os) { *os << f.name; }

// Every row of the table of pictures, with the share of transparent pixels the design gives.
inline const std::vector<PictureFacts>& picture_facts() {
    static const std::map<std::string, double> shares{
        {"pond.gif", 0.0},          {"frog.gif", 0.74},      {"fly.gif", 0.50},
        {"face_waiting.gif", 0.50}, {"face_sad.gif", 0.48},  {"face_happy.gif", 0.48},
        {"equals.gif", 0.71},       {"not_equal.gif", 0.66}, {"sleeping_frog.gif", 0.48},
    };
    static const std::vector<PictureFacts> facts = [] {
        std::vector<PictureFacts> all;
        for (const scene::PictureRow& row : scene::picture_table) {
            PictureFacts f{std::string(row.stored),
                           row.width,
                           row.height,
                           row.transparent_index,
                           {static_cast<std::uint8_t>(row.transparent_colour >> 16),
                            static_cast<std::uint8_t>(row.transparent_colour >> 8),
                            static_cast<std::uint8_t>(row.transparent_colour)},
                           std::nullopt};
            if (auto share = shares.find(f.name); share != shares.end())
                f.transparent_share = share->second;
            all.push_back(f);
        }
        return all;
    }();
    return facts;
}

}  // namespace bolvenda::test
