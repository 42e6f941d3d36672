// The PNG writer of png_file.hpp.
#include "tools/screens/png_file.hpp"

#include <cairo.h>

#include <cstdio>
#include <memory>
#include <stdexcept>

namespace bolvenda::tools {

namespace {

struct SurfaceDeleter {
    void operator()(cairo_surface_t* s) const { cairo_surface_destroy(s); }
};

}  // namespace

void write_png(testing::Pixels frame, const std::filesystem::path& path) {
    // 0xRRGGBB in 32 bits is cairo's RGB24 on the same machine.
    std::unique_ptr<cairo_surface_t, SurfaceDeleter> png(cairo_image_surface_create_for_data(
        reinterpret_cast<unsigned char*>(frame.data.data()), CAIRO_FORMAT_RGB24, frame.width,
        frame.height, frame.width * 4));
    if (cairo_surface_write_to_png(png.get(), path.c_str()) != CAIRO_STATUS_SUCCESS)
        throw std::runtime_error("cannot write " + path.string());
    std::printf("%s\n", path.c_str());
}

testing::Pixels read_png(const std::filesystem::path& path) {
    std::unique_ptr<cairo_surface_t, SurfaceDeleter> png(
        cairo_image_surface_create_from_png(path.c_str()));
    if (cairo_surface_status(png.get()) != CAIRO_STATUS_SUCCESS)
        throw std::runtime_error("cannot read " + path.string());
    cairo_surface_flush(png.get());
    testing::Pixels pixels{
        cairo_image_surface_get_width(png.get()), cairo_image_surface_get_height(png.get()), {}};
    const unsigned char* data = cairo_image_surface_get_data(png.get());
    const int stride = cairo_image_surface_get_stride(png.get());
    pixels.data.reserve(static_cast<std::size_t>(pixels.width) * pixels.height);
    for (int y = 0; y < pixels.height; ++y) {
        const auto* row = reinterpret_cast<const std::uint32_t*>(data + y * stride);
        for (int x = 0; x < pixels.width; ++x) pixels.data.push_back(row[x] & 0xFFFFFF);
    }
    return pixels;
}

}  // namespace bolvenda::tools
