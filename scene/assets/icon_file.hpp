// Reads the Windows icon and cursor files the game carries (.ico, .cur): the directory, and the
// uncompressed device-independent bitmaps inside it with their transparency masks. Every field
// is checked against the file's length, so a damaged file gives nothing rather than a crash.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace bolvenda::assets {

struct IconImage {
    int width = 0;
    int height = 0;
    int hot_x = 0;  // a cursor's hot spot; 0 for an icon
    int hot_y = 0;
    int bits = 0;                     // bits per pixel in the file: 1, 4, 8, 24 or 32
    std::vector<std::uint32_t> argb;  // straight alpha 0xAARRGGBB, rows top to bottom
};

// Every image of the file that can be read, in the file's order (the tools show them all).
std::vector<IconImage> read_icon_images(std::span<const unsigned char> bytes);

// The best image of the file: the largest, then the one with the most colours. Nothing when
// the bytes are no icon or cursor file, or no image in it can be read.
std::optional<IconImage> read_icon_file(std::span<const unsigned char> bytes);

}  // namespace bolvenda::assets
