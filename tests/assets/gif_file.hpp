// A small GIF reader of the tests' own, independent of the generator: it keeps every block
// as it stands in the file so the tests can check the layout, and decodes the pixels.
#pragma once

#include <array>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

namespace bolvenda::test {

struct GifColour {
    std::uint8_t r = 0, g = 0, b = 0;
    friend bool operator==(const GifColour&, const GifColour&) = default;
};

struct GifExtension {
    int label = 0;                   // 0xF9 graphic control, 0xFE comment, 0xFF application...
    std::vector<std::uint8_t> data;  // sub-blocks joined
    std::vector<int> block_sizes;
};

struct GifImage {
    int left = 0, top = 0, width = 0, height = 0;
    bool interlaced = false;
    bool local_palette = false;
    std::vector<std::uint8_t> pixels;  // palette indices, rows top to bottom
};

struct GifFile {
    std::string signature;  // "GIF89a"
    int screen_width = 0, screen_height = 0;
    bool global_palette = false;
    int palette_size_field = 0;  // entries = 2 << field
    std::vector<GifColour> palette;
    std::vector<GifExtension> extensions;
    std::vector<GifImage> images;
    bool trailer = false;
    std::size_t bytes_after_trailer = 0;
};

struct GifError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

GifFile read_gif(const std::vector<std::uint8_t>& bytes);

}  // namespace bolvenda::test
