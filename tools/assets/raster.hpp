// An RGBA picture in straight (not premultiplied) alpha, rows top to bottom.
#pragma once

#include <cstdint>
#include <filesystem>
#include <vector>

namespace bolvenda::tools {

struct Rgba {
    std::uint8_t r = 0, g = 0, b = 0, a = 0;
    friend bool operator==(const Rgba&, const Rgba&) = default;
};

struct Raster {
    int width = 0;
    int height = 0;
    std::vector<Rgba> pixels;

    Raster() = default;
    Raster(int w, int h) : width(w), height(h), pixels(static_cast<std::size_t>(w) * h) {}
    Rgba& at(int x, int y) { return pixels[static_cast<std::size_t>(y) * width + x]; }
    const Rgba& at(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
};

// Renders the whole SVG document stretched into width x height; the document's own
// preserveAspectRatio decides whether it keeps its proportions. Throws on a bad file.
Raster render_svg(const std::filesystem::path& svg, int width, int height);

}  // namespace bolvenda::tools
