#include "tools/assets/raster.hpp"

#include <cairo.h>
#include <librsvg/rsvg.h>

#include <memory>
#include <stdexcept>
#include <string>

namespace bolvenda::tools {
namespace {

struct SurfaceDeleter {
    void operator()(cairo_surface_t* s) const { cairo_surface_destroy(s); }
};
struct CairoDeleter {
    void operator()(cairo_t* c) const { cairo_destroy(c); }
};
struct GObjectDeleter {
    void operator()(RsvgHandle* h) const { g_object_unref(h); }
};
struct GErrorDeleter {
    void operator()(GError* e) const { g_error_free(e); }
};

std::runtime_error svg_error(const std::filesystem::path& svg, GError* raw) {
    std::unique_ptr<GError, GErrorDeleter> error(raw);
    return std::runtime_error(svg.string() + ": " + (error ? error->message : "cannot render"));
}

}  // namespace

Raster render_svg(const std::filesystem::path& svg, int width, int height) {
    GError* error = nullptr;
    std::unique_ptr<RsvgHandle, GObjectDeleter> handle(
        rsvg_handle_new_from_file(svg.c_str(), &error));
    if (!handle) throw svg_error(svg, error);

    std::unique_ptr<cairo_surface_t, SurfaceDeleter> surface(
        cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height));
    std::unique_ptr<cairo_t, CairoDeleter> cr(cairo_create(surface.get()));
    const RsvgRectangle viewport{0, 0, static_cast<double>(width), static_cast<double>(height)};
    if (!rsvg_handle_render_document(handle.get(), cr.get(), &viewport, &error))
        throw svg_error(svg, error);
    cairo_surface_flush(surface.get());

    // Cairo stores native-endian premultiplied ARGB words; undo both.
    Raster out(width, height);
    const unsigned char* data = cairo_image_surface_get_data(surface.get());
    const int stride = cairo_image_surface_get_stride(surface.get());
    for (int y = 0; y < height; ++y) {
        const auto* row = reinterpret_cast<const std::uint32_t*>(data + y * stride);
        for (int x = 0; x < width; ++x) {
            const std::uint32_t p = row[x];
            const unsigned a = p >> 24;
            auto un = [a](unsigned c) {
                return static_cast<std::uint8_t>(a == 0 ? 0 : (c * 255 + a / 2) / a);
            };
            out.at(x, y) = {un((p >> 16) & 0xFF), un((p >> 8) & 0xFF), un(p & 0xFF),
                            static_cast<std::uint8_t>(a)};
        }
    }
    return out;
}

}  // namespace bolvenda::tools
