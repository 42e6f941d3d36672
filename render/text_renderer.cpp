#include "render/text_renderer.hpp"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cstdint>
#include <limits>
#include <vector>

#include "render/startup_error.hpp"

namespace bolvenda::render {

namespace {

constexpr const char* cannot_open_it = "Impossibile aprire il carattere per i testi del gioco.";
constexpr const char* cannot_draw_it = "Impossibile disegnare i testi del gioco.";

// 26.6 fixed point to whole pixels.
int floor_px(FT_Pos v) { return static_cast<int>((v & -64) / 64); }
int ceil_px(FT_Pos v) { return floor_px(v + 63); }

// The next code point of UTF-8 text; a malformed byte stands for itself.
char32_t next_code_point(std::string_view text, std::size_t& i) {
    auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char lead = byte(i);
    const std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    if (length == 1 || i + length > text.size()) return byte(i++);
    char32_t code = lead & (0x7F >> length);
    for (std::size_t k = 1; k < length; ++k) code = code << 6 | (byte(i + k) & 0x3F);
    i += length;
    return code;
}

}  // namespace

void TextRenderer::LibraryDeleter::operator()(FT_LibraryRec_* library) const noexcept {
    FT_Done_FreeType(library);
}
void TextRenderer::FaceDeleter::operator()(FT_FaceRec_* face) const noexcept { FT_Done_Face(face); }

TextRenderer::TextRenderer(std::span<const unsigned char> font) {
    FT_Library library = nullptr;
    if (FT_Init_FreeType(&library) != 0)
        throw StartupError("cannot start FreeType", "Impossibile preparare i caratteri del gioco.");
    library_.reset(library);
    // Opened from the program's own bytes: no font lookup, the same pixels everywhere.
    FT_Face face = nullptr;
    if (font.empty() ||
        font.size() > static_cast<std::size_t>(std::numeric_limits<FT_Long>::max()) ||
        FT_New_Memory_Face(library, font.data(), static_cast<FT_Long>(font.size()), 0, &face) !=
            0) {
        throw StartupError("cannot open the embedded font", cannot_open_it);
    }
    face_.reset(face);
    if (!FT_IS_SCALABLE(face))
        throw StartupError("the embedded font is not scalable", cannot_open_it);
    // Sized at the first text: opening checks the font, sizing would only run its hinting.
}

TextRenderer::~TextRenderer() = default;

TextRenderer::Metrics TextRenderer::size_to(int pixel_size) {
    FT_Face face = face_.get();
    if (size_ != pixel_size) {
        // The design's sizes are pixels of the em.
        if (pixel_size <= 0 || FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(pixel_size)) != 0)
            throw StartupError(
                "cannot size the embedded font to " + std::to_string(pixel_size) + " px",
                cannot_open_it);
        size_ = pixel_size;
    }
    const FT_Fixed scale = face->size->metrics.y_scale;
    return {ceil_px(FT_MulFix(face->ascender, scale)),
            ceil_px(FT_MulFix(face->ascender - face->descender, scale))};
}

int TextRenderer::line_height(int pixel_size) { return size_to(pixel_size).height; }

bool TextRenderer::covers(std::string_view text) const {
    for (std::size_t i = 0; i < text.size();)
        if (FT_Get_Char_Index(face_.get(), next_code_point(text, i)) == 0) return false;
    return true;
}

const TextRenderer::Glyph& TextRenderer::glyph(unsigned index, int pixel_size) {
    auto key = std::make_pair(index, pixel_size);
    auto found = glyphs_.find(key);
    if (found != glyphs_.end()) return found->second;
    FT_Face face = face_.get();
    if (FT_Load_Glyph(face, index, FT_LOAD_DEFAULT | FT_LOAD_TARGET_NORMAL) != 0 ||
        FT_Render_Glyph(face->glyph, FT_RENDER_MODE_NORMAL) != 0)
        throw StartupError("cannot draw the glyph " + std::to_string(index), cannot_draw_it);
    const FT_GlyphSlot slot = face->glyph;
    const FT_Bitmap& bitmap = slot->bitmap;
    if (bitmap.pitch < 0 || bitmap.pixel_mode != FT_PIXEL_MODE_GRAY)
        throw StartupError("unexpected bitmap for the glyph " + std::to_string(index),
                           cannot_draw_it);
    Glyph g{slot->bitmap_left,
            slot->bitmap_top,
            static_cast<int>(bitmap.width),
            static_cast<int>(bitmap.rows),
            slot->advance.x,
            slot->lsb_delta,
            slot->rsb_delta,
            {}};
    g.coverage.resize(static_cast<std::size_t>(g.width) * static_cast<std::size_t>(g.rows));
    for (int row = 0; row < g.rows; ++row)
        std::copy_n(bitmap.buffer + static_cast<std::size_t>(row) * bitmap.pitch, g.width,
                    &g.coverage[static_cast<std::size_t>(row) * static_cast<std::size_t>(g.width)]);
    return glyphs_.emplace(key, std::move(g)).first->second;
}

const RenderedText& TextRenderer::render(std::string_view text, int pixel_size, scene::Rgb colour) {
    const int colour_key = colour.r << 16 | colour.g << 8 | colour.b;
    auto key = std::make_tuple(std::string(text), pixel_size, colour_key);
    auto found = texts_.find(key);
    if (found != texts_.end()) return found->second;

    // The counters write ever new numbers: keep the cache small rather than ever growing.
    if (texts_.size() >= max_cached_texts) texts_.clear();
    RenderedText rendered;
    if (text.empty()) return texts_.emplace(std::move(key), std::move(rendered)).first->second;

    const Metrics metrics = size_to(pixel_size);
    FT_Face face = face_.get();
    const bool kerning = FT_HAS_KERNING(face);

    // Pen positions in 26.6 pixels. Kerning is applied unrounded, then the pen is rounded to
    // a whole pixel, nudged by the hinter's side-bearing changes so that hinted glyphs keep
    // even gaps (FreeType's "smart" kerning).
    // Kept glyphs are pointed at below: make room before, never during, the line.
    if (glyphs_.size() >= max_cached_glyphs) glyphs_.clear();
    struct Placed {
        const Glyph* glyph;
        int x, y;  // top-left corner of the bitmap, from the line's origin at the top
    };
    std::vector<Placed> placed;
    FT_Pos pen = 0, previous_advance = 0, previous_rsb = 0;
    FT_UInt previous = 0;
    int left = 0, right = 0, top = 0, bottom = metrics.height;
    for (std::size_t i = 0; i < text.size();) {
        const FT_UInt index = FT_Get_Char_Index(face, next_code_point(text, i));
        const Glyph& g = glyph(index, pixel_size);
        pen += previous_advance;
        if (kerning && previous != 0 && index != 0) {
            FT_Vector delta{};
            FT_Get_Kerning(face, previous, index, FT_KERNING_UNFITTED, &delta);
            pen += delta.x;
        }
        if (!placed.empty()) {
            if (previous_rsb - g.lsb_delta > 32)
                pen -= 64;
            else if (previous_rsb - g.lsb_delta < -31)
                pen += 64;
        }
        pen = (pen + 32) & -64;
        previous = index;
        previous_advance = g.advance;
        previous_rsb = g.rsb_delta;

        const Placed at{&g, floor_px(pen) + g.left, metrics.ascent - g.top};
        left = std::min(left, at.x);
        right = std::max(right, at.x + g.width);
        top = std::min(top, at.y);
        bottom = std::max(bottom, at.y + g.rows);
        placed.push_back(at);
    }
    right = std::max(right, floor_px(pen + previous_advance));

    // The image runs from the leftmost ink (or the pen's start) to the last advance, and from
    // the highest glyph top (above the line: the rise) to the line's bottom.
    PremultipliedImage& image = rendered.image;
    image.width = right - left;
    image.height = bottom - top;
    rendered.rise = -top;
    std::vector<unsigned char> alpha(static_cast<std::size_t>(image.width) *
                                     static_cast<std::size_t>(image.height));
    for (const Placed& at : placed) {
        const Glyph& g = *at.glyph;
        for (int row = 0; row < g.rows; ++row) {
            unsigned char* out = &alpha[static_cast<std::size_t>(at.y - top + row) *
                                            static_cast<std::size_t>(image.width) +
                                        static_cast<std::size_t>(at.x - left)];
            const unsigned char* in =
                &g.coverage[static_cast<std::size_t>(row) * static_cast<std::size_t>(g.width)];
            // Where two glyphs touch, the darker coverage wins rather than the two adding up.
            for (int col = 0; col < g.width; ++col) out[col] = std::max(out[col], in[col]);
        }
    }
    const std::uint32_t ink = static_cast<std::uint32_t>(colour_key);
    image.pixels.resize(alpha.size());
    for (std::size_t p = 0; p < alpha.size(); ++p)
        image.pixels[p] =
            alpha[p] == 0 ? 0 : premultiply(static_cast<std::uint32_t>(alpha[p]) << 24 | ink);
    return texts_.emplace(std::move(key), std::move(rendered)).first->second;
}

void TextRenderer::forget_sizes() {
    texts_.clear();
    glyphs_.clear();
    // The face stays open: a new scale only asks for other sizes of it.
}

}  // namespace bolvenda::render
