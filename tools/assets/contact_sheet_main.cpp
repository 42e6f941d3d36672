// bolvenda_contact_sheet ASSET_DIR OUT.png [ART_DIR SCALES.png]: the committed pictures as
// the child will see them, for review by eye. Top: two window mock-ups (a round in play, a
// caught fly). Below: every picture at its natural and at its shown size, over the water and
// over the earth, then the hand pointer and the icon images, also enlarged four times.
// SCALES.png: every picture as the game draws it at 1x, 2x, 3x and 4x the design size, each
// beside librsvg's rendering of its drawing at the same size (the pond: a part of it).
#include <cairo.h>

#include <algorithm>
#include <cstdio>
#include <exception>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "render/picture_set.hpp"
#include "scene/picture_table.hpp"
#include "scene/viewport.hpp"
#include "tools/assets/gif_reader.hpp"
#include "tools/assets/raster.hpp"

namespace fs = std::filesystem;
using namespace bolvenda::tools;

namespace {

struct SurfaceDeleter {
    void operator()(cairo_surface_t* s) const { cairo_surface_destroy(s); }
};
struct CairoDeleter {
    void operator()(cairo_t* c) const { cairo_destroy(c); }
};
using Surface = std::unique_ptr<cairo_surface_t, SurfaceDeleter>;

std::vector<std::uint8_t> read_file(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " + path.string());
    return {std::istreambuf_iterator<char>(in), {}};
}

Surface to_surface(const Raster& r) {
    Surface s(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, r.width, r.height));
    cairo_surface_flush(s.get());
    unsigned char* data = cairo_image_surface_get_data(s.get());
    const int stride = cairo_image_surface_get_stride(s.get());
    for (int y = 0; y < r.height; ++y) {
        auto* row = reinterpret_cast<std::uint32_t*>(data + y * stride);
        for (int x = 0; x < r.width; ++x) {
            const Rgba p = r.at(x, y);
            auto pm = [&p](unsigned c) { return (c * p.a + 127) / 255; };
            row[x] = static_cast<std::uint32_t>(p.a) << 24 | pm(p.r) << 16 | pm(p.g) << 8 | pm(p.b);
        }
    }
    cairo_surface_mark_dirty(s.get());
    return s;
}

void draw(cairo_t* cr, cairo_surface_t* picture, double x, double y, double w, double h,
          bool pixelated = false) {
    const double sx = w / cairo_image_surface_get_width(picture);
    const double sy = h / cairo_image_surface_get_height(picture);
    cairo_save(cr);
    cairo_rectangle(cr, x, y, w, h);
    cairo_clip(cr);
    cairo_translate(cr, x, y);
    cairo_scale(cr, sx, sy);
    cairo_set_source_surface(cr, picture, 0, 0);
    cairo_pattern_set_filter(cairo_get_source(cr),
                             pixelated ? CAIRO_FILTER_NEAREST : CAIRO_FILTER_GOOD);
    cairo_paint(cr);
    cairo_restore(cr);
}

void fill(cairo_t* cr, double x, double y, double w, double h, unsigned rgb) {
    cairo_set_source_rgb(cr, (rgb >> 16 & 0xFF) / 255.0, (rgb >> 8 & 0xFF) / 255.0,
                         (rgb & 0xFF) / 255.0);
    cairo_rectangle(cr, x, y, w, h);
    cairo_fill(cr);
}

void line(cairo_t* cr, double x0, double y0, double x1, double y1) {
    cairo_set_source_rgb(cr, 0, 0, 1);
    cairo_set_line_width(cr, 2);
    cairo_move_to(cr, x0, y0);
    cairo_line_to(cr, x1, y1);
    cairo_stroke(cr);
}

struct Pictures {
    Surface pond, frog, fly, waiting, sad, happy, equals, not_equal, sleeping;
};

// The window's 792 x 566 client area with the number line and the pictures in place.
void mock_window(cairo_t* cr, const Pictures& p, double ox, double oy, int frog_on, int fly_on,
                 bool caught) {
    cairo_save(cr);
    cairo_translate(cr, ox, oy);
    cairo_rectangle(cr, 0, 0, 792, 566);
    cairo_clip(cr);
    draw(cr, p.pond.get(), 0, 0, 800, 600);
    line(cr, 40, 464, 728, 464);
    for (int n = 0; n <= 20; ++n) line(cr, 64 + 32 * n, 456, 64 + 32 * n, 472);
    draw(cr, p.frog.get(), 16 + 32 * frog_on, 296, 80, 163);
    draw(cr, p.fly.get(), fly_on == 0 ? 448 : 72 + 32 * fly_on, fly_on == 0 ? 112 : 280, 40, 49);
    draw(cr, p.happy.get(), 8, 512, 64, 37);
    draw(cr, p.sleeping.get(), 80, 504, 81, 51);
    draw(cr, caught ? p.equals.get() : p.not_equal.get(), 416, 528, 30, 23);
    draw(cr, p.waiting.get(), 720, 440, 80, 53);
    if (caught) draw(cr, p.happy.get(), 720, 440, 80, 53);
    cairo_restore(cr);
}

Surface to_surface(const bolvenda::render::PremultipliedImage& image) {
    // Both are premultiplied 0xAARRGGBB words.
    Surface s(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, image.width, image.height));
    cairo_surface_flush(s.get());
    unsigned char* data = cairo_image_surface_get_data(s.get());
    const int stride = cairo_image_surface_get_stride(s.get());
    for (int y = 0; y < image.height; ++y)
        std::copy_n(image.pixels.begin() + static_cast<std::ptrdiff_t>(y) * image.width,
                    image.width, reinterpret_cast<std::uint32_t*>(data + y * stride));
    cairo_surface_mark_dirty(s.get());
    return s;
}

// Each picture of the table at the four scales, the game's drawing beside librsvg's.
void scales_sheet(const fs::path& art, const char* out) {
    using bolvenda::scene::Picture;
    using bolvenda::scene::PictureRow;
    bolvenda::render::PictureSet pictures;
    // The pond fills the window: a part of it, the lily pads and reeds, stands for it.
    const int pond_x = 330, pond_y = 200, pond_w = 140, pond_h = 120;
    auto shown = [&](const PictureRow& row) {
        return row.picture == Picture::Pond ? std::pair{pond_w, pond_h}
                                            : std::pair{row.shown_width, row.shown_height};
    };
    int width = 10, height = 10;
    for (int scale = 1; scale <= 4; ++scale) {
        int widest = 0;
        for (const PictureRow& row : bolvenda::scene::picture_table)
            widest = std::max(widest, shown(row).first * scale);
        width += 2 * widest + 24;
    }
    for (const PictureRow& row : bolvenda::scene::picture_table)
        height += shown(row).second * 4 + 10;
    Surface sheet(cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height));
    std::unique_ptr<cairo_t, CairoDeleter> cr(cairo_create(sheet.get()));
    fill(cr.get(), 0, 0, width, height, 0xE8E8E8);
    double x = 10;
    for (int scale = 1; scale <= 4; ++scale) {
        int widest = 0;
        for (const PictureRow& row : bolvenda::scene::picture_table)
            widest = std::max(widest, shown(row).first * scale);
        pictures.use_scale(scale);
        double y = 10;
        for (const PictureRow& row : bolvenda::scene::picture_table) {
            const auto [w, h] = shown(row);
            fill(cr.get(), x, y, 2 * widest + 12, h * scale, 0x2A9FAA);
            if (row.picture == Picture::Pond) {
                // At the design size the stored pond itself; above it, the drawing at the
                // window's size, cut to the part.
                const auto whole = scale == 1 ? pictures.decode(Picture::Pond)
                                              : pictures.sized(Picture::Pond, row.width * scale,
                                                               row.height * scale);
                Surface game = to_surface(whole);
                Surface svg = to_surface(
                    render_svg(art / row.drawing, row.width * scale, row.height * scale));
                for (int side = 0; side < 2; ++side) {
                    cairo_save(cr.get());
                    const double left = x + side * (widest + 12);
                    cairo_rectangle(cr.get(), left, y, w * scale, h * scale);
                    cairo_clip(cr.get());
                    cairo_set_source_surface(cr.get(), side == 0 ? game.get() : svg.get(),
                                             left - pond_x * scale, y - pond_y * scale);
                    cairo_paint(cr.get());
                    cairo_restore(cr.get());
                }
            } else {
                Surface game = to_surface(pictures.sized(row.picture, w * scale, h * scale));
                Surface svg = to_surface(render_svg(art / row.drawing, w * scale, h * scale));
                draw(cr.get(), game.get(), x, y, w * scale, h * scale);
                draw(cr.get(), svg.get(), x + widest + 12, y, w * scale, h * scale);
            }
            y += h * 4 + 10;
        }
        x += 2 * widest + 24;
    }
    cairo_surface_flush(sheet.get());
    if (cairo_surface_write_to_png(sheet.get(), out) != CAIRO_STATUS_SUCCESS)
        throw std::runtime_error(std::string("cannot write ") + out);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3 && argc != 5) {
        std::fprintf(stderr, "usage: %s ASSET_DIR OUT.png [ART_DIR SCALES.png]\n", argv[0]);
        return 2;
    }
    try {
        const fs::path dir = argv[1];
        auto gif = [&dir](const char* name) {
            return to_surface(decode_gif(read_file(dir / name)));
        };
        Pictures p{gif("pond.gif"),         gif("frog.gif"),      gif("fly.gif"),
                   gif("face_waiting.gif"), gif("face_sad.gif"),  gif("face_happy.gif"),
                   gif("equals.gif"),       gif("not_equal.gif"), gif("sleeping_frog.gif")};

        const int width = 1620, height = 1330;
        Surface sheet(cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height));
        std::unique_ptr<cairo_t, CairoDeleter> cr(cairo_create(sheet.get()));
        fill(cr.get(), 0, 0, width, height, 0xE8E8E8);
        mock_window(cr.get(), p, 10, 10, 3, 7, false);
        mock_window(cr.get(), p, 818, 10, 7, 7, true);

        struct Cell {
            cairo_surface_t* picture;
            int shown_w, shown_h;
        };
        const std::vector<Cell> cells{{p.frog.get(), 80, 163},     {p.fly.get(), 40, 49},
                                      {p.waiting.get(), 80, 53},   {p.sad.get(), 80, 53},
                                      {p.happy.get(), 80, 53},     {p.equals.get(), 30, 23},
                                      {p.not_equal.get(), 30, 23}, {p.sleeping.get(), 81, 51}};
        // Row of natural sizes over water then earth, then shown sizes, each twice enlarged.
        double x = 10;
        const double top = 590;
        for (const Cell& c : cells) {
            const int w = cairo_image_surface_get_width(c.picture);
            const int h = cairo_image_surface_get_height(c.picture);
            const int col = std::max({w, c.shown_w * 2, 60}) + 8;
            fill(cr.get(), x, top, col, 200, 0x2A9FAA);
            fill(cr.get(), x, top + 200, col, 200, 0xAA7F00);
            draw(cr.get(), c.picture, x + 4, top + 4, w, h);
            draw(cr.get(), c.picture, x + 4, top + 204, w, h);
            fill(cr.get(), x, top + 400, col, 330, 0x2A9FAA);
            fill(cr.get(), x, top + 400 + 165, col, 165, 0xAA7F00);
            draw(cr.get(), c.picture, x + 4, top + 404, c.shown_w, c.shown_h);
            draw(cr.get(), c.picture, x + 4, top + 569, c.shown_w, c.shown_h);
            x += col + 6;
        }
        // Pointer and icon images: natural, then four times, over water and over white.
        auto icons = decode_icon_images(read_file(dir / "bolvenda.ico"));
        auto cursor = decode_icon_images(read_file(dir / "hand.cur"));
        icons.insert(icons.begin(), cursor.begin(), cursor.end());
        double iy = top;
        for (const Raster& r : icons) {
            Surface s = to_surface(r);
            fill(cr.get(), x, iy, 4 * r.width + r.width + 12, 4 * r.height + 8, 0x2A9FAA);
            fill(cr.get(), x + 4 * r.width + r.width + 12, iy, 4 * r.width + r.width + 12,
                 4 * r.height + 8, 0xFFFFFF);
            for (int side = 0; side < 2; ++side) {
                const double bx = x + side * (5 * r.width + 12);
                draw(cr.get(), s.get(), bx + 4, iy + 4, r.width, r.height);
                draw(cr.get(), s.get(), bx + r.width + 8, iy + 4, 4 * r.width, 4 * r.height, true);
            }
            iy += 4 * r.height + 14;
        }
        cairo_surface_flush(sheet.get());
        if (cairo_surface_write_to_png(sheet.get(), argv[2]) != CAIRO_STATUS_SUCCESS)
            throw std::runtime_error(std::string("cannot write ") + argv[2]);
        if (argc == 5) scales_sheet(argv[3], argv[4]);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "bolvenda_contact_sheet: %s\n", e.what());
        return 1;
    }
    return 0;
}
