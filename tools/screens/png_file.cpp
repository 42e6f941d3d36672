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

}  // namespace bolvenda::tools
