#include "render/drawing.hpp"

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "render/startup_error.hpp"
#include "third_party/nanosvg/nanosvg.h"
#include "third_party/nanosvg/nanosvgrast.h"

namespace bolvenda::render {

namespace {

// Rows drawn at a time (see draw_svg_into).
constexpr int band_rows = 64;

struct ImageDeleter {
    void operator()(NSVGimage* image) const { nsvgDelete(image); }
};
struct RasteriserDeleter {
    void operator()(NSVGrasterizer* r) const { nsvgDeleteRasterizer(r); }
};

StartupError bad_drawing(const char* name) {
    return StartupError(std::string("cannot draw the picture ") + name,
                        "Impossibile leggere le immagini del gioco.");
}

// NanoSVG scales uniformly; a drawing whose root gives no size is stretched to the rectangle
// here, a stroke taking the mean of the two scales (as NanoSVG does for a transform that
// stretches).
void stretch(NSVGimage& image, float sx, float sy) {
    const float mean = (sx + sy) / 2;
    for (NSVGshape* shape = image.shapes; shape != nullptr; shape = shape->next) {
        for (NSVGpath* path = shape->paths; path != nullptr; path = path->next) {
            for (int i = 0; i < path->npts; ++i) {
                path->pts[2 * i] *= sx;
                path->pts[2 * i + 1] *= sy;
            }
            for (int i = 0; i < 4; ++i) path->bounds[i] *= i % 2 == 0 ? sx : sy;
        }
        for (int i = 0; i < 4; ++i) shape->bounds[i] *= i % 2 == 0 ? sx : sy;
        shape->strokeWidth *= mean;
        shape->strokeDashOffset *= mean;
        for (int i = 0; i < shape->strokeDashCount; ++i) shape->strokeDashArray[i] *= mean;
    }
    image.width *= sx;
    image.height *= sy;
}

// Gives the root element the size asked for, so that NanoSVG maps the viewBox onto it in one
// step, strokes scaled by the mean of the two scales of that mapping. Where the root has no
// such attribute, nothing changes and stretch() does the rest.
void size_root(std::string& text, int width, int height) {
    const std::size_t open = text.find("<svg");
    const std::size_t close = open == std::string::npos ? open : text.find('>', open);
    if (close == std::string::npos) return;
    auto set = [&](const char* attribute, int value) {
        const std::string key = std::string(" ") + attribute + "=\"";
        const std::size_t at = text.find(key, open);
        if (at == std::string::npos || at > close) return;
        const std::size_t from = at + key.size();
        const std::size_t to = text.find('"', from);
        if (to == std::string::npos || to > close) return;
        text.replace(from, to - from, std::to_string(value));
    };
    set("width", width);
    set("height", height);
}

}  // namespace

void draw_svg_into(std::span<const unsigned char> svg, const char* name, int width, int height,
                   scene::Rect region, std::uint32_t* out, std::size_t stride,
                   std::optional<std::uint32_t> under) {
    if (region.width <= 0 || region.height <= 0) return;
    // The parser writes into its input and wants it ended by a zero.
    std::string text(svg.begin(), svg.end());
    size_root(text, width, height);
    std::unique_ptr<NSVGimage, ImageDeleter> image(nsvgParse(text.data(), "px", 96.0f));
    if (!image || image->shapes == nullptr || image->width <= 0 || image->height <= 0)
        throw bad_drawing(name);
    if (image->width != static_cast<float>(width) || image->height != static_cast<float>(height))
        stretch(*image, static_cast<float>(width) / image->width,
                static_cast<float>(height) / image->height);
    std::unique_ptr<NSVGrasterizer, RasteriserDeleter> rasteriser(nsvgCreateRasterizer());
    if (!rasteriser) throw bad_drawing(name);
    // Straight into place: NanoSVG writes premultiplied R, G, B, A bytes (built so, see
    // nanosvg.cpp), turned below into our words where they lie. It walks every row of the picture
    // for every shape; a large picture (the pond at a large scale) is drawn in bands, each with
    // only the shapes that reach into it, so that a shape costs its own rows and not the whole
    // height.
    std::vector<NSVGshape*> shapes;
    for (NSVGshape* shape = image->shapes; shape != nullptr; shape = shape->next)
        shapes.push_back(shape);
    auto* bytes = reinterpret_cast<unsigned char*>(out);
    for (int top = 0; top < region.height; top += band_rows) {
        const int rows = std::min(band_rows, region.height - top);
        const float from = static_cast<float>(region.top + top);
        const float to = from + static_cast<float>(rows);
        NSVGshape** next = &image->shapes;
        for (NSVGshape* shape : shapes) {
            // A stroke reaches beyond the outline by half its width, a mitred corner further.
            const float reach = shape->strokeWidth * std::max(shape->miterLimit, 1.0f) / 2 + 1;
            if (shape->bounds[1] - reach > to || shape->bounds[3] + reach < from) continue;
            *next = shape;
            next = &shape->next;
        }
        *next = nullptr;
        nsvgRasterize(rasteriser.get(), image.get(), static_cast<float>(-region.left), -from, 1.0f,
                      bytes + static_cast<std::size_t>(top) * stride * 4, region.width, rows,
                      static_cast<int>(stride * 4));
    }
    // Every shape linked again, for nsvgDelete.
    NSVGshape** next = &image->shapes;
    for (NSVGshape* shape : shapes) {
        *next = shape;
        next = &shape->next;
    }
    *next = nullptr;
    for (int y = 0; y < region.height; ++y) {
        std::uint32_t* row = out + static_cast<std::size_t>(y) * stride;
        for (int x = 0; x < region.width; ++x) {
            const unsigned char* p = reinterpret_cast<const unsigned char*>(row + x);
            const std::uint32_t argb = std::uint32_t{p[3]} << 24 | std::uint32_t{p[0]} << 16 |
                                       std::uint32_t{p[1]} << 8 | p[2];
            row[x] = under ? over(argb, *under) & 0x00FFFFFF : argb;
        }
    }
}

PremultipliedImage draw_svg(std::span<const unsigned char> svg, const char* name, int width,
                            int height) {
    PremultipliedImage image{width, height, {}};
    image.pixels.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    draw_svg_into(svg, name, width, height, {0, 0, width, height}, image.pixels.data(),
                  static_cast<std::size_t>(width));
    return image;
}

}  // namespace bolvenda::render
