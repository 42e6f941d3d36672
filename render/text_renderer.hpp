// Labels' text, drawn with FreeType from one embedded face: hinted, anti-aliased glyphs placed
// with the face's kerning, each text rendered once and kept, premultiplied, until the
// window's scale changes. Our texts are Latin capitals, digits and a little punctuation: they
// need no shaping, only kerning.
#pragma once

#include <map>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <tuple>
#include <utility>
#include <vector>

#include "render/premultiplied_image.hpp"
#include "scene/geometry.hpp"

struct FT_LibraryRec_;
struct FT_FaceRec_;

namespace bolvenda::render {

// A rendered line of text. The image starts rise pixels above the top of the font's line
// where a glyph (the accent of "È" at small sizes) reaches higher than the font's ascent.
struct RenderedText {
    PremultipliedImage image;
    int rise = 0;
};

class TextRenderer {
  public:
    // The font's bytes must outlive the renderer. Throws StartupError if they are not a font
    // FreeType can open.
    explicit TextRenderer(std::span<const unsigned char> font);
    ~TextRenderer();
    TextRenderer(const TextRenderer&) = delete;
    TextRenderer& operator=(const TextRenderer&) = delete;

    // The UTF-8 text on one line; empty text gives an empty image. Characters the face lacks
    // are drawn as its empty box, as any text program would.
    const RenderedText& render(std::string_view text, int pixel_size, scene::Rgb colour);
    // From the top of the line to the bottom of the lowest descender.
    int line_height(int pixel_size);
    // Whether the face has a glyph for every character of the UTF-8 text.
    bool covers(std::string_view text) const;
    void forget_sizes();

    static constexpr std::size_t max_cached_texts = 256;
    static constexpr std::size_t max_cached_glyphs = 1024;

  private:
    struct LibraryDeleter {
        void operator()(FT_LibraryRec_* library) const noexcept;
    };
    struct FaceDeleter {
        void operator()(FT_FaceRec_* face) const noexcept;
    };
    struct Metrics {
        int ascent;
        int height;
    };
    Metrics size_to(int pixel_size);
    // A glyph as FreeType hinted and rendered it, kept: the line's digits and capitals repeat.
    struct Glyph {
        int left = 0, top = 0;  // the bitmap's corner from the pen, y up
        int width = 0, rows = 0;
        long advance = 0, lsb_delta = 0, rsb_delta = 0;  // 26.6 pixels
        std::vector<unsigned char> coverage;             // width * rows
    };
    const Glyph& glyph(unsigned index, int pixel_size);

    // The face is declared after its library: it is closed first.
    std::unique_ptr<FT_LibraryRec_, LibraryDeleter> library_;
    std::unique_ptr<FT_FaceRec_, FaceDeleter> face_;
    int size_ = 0;
    std::map<std::tuple<std::string, int, int>, RenderedText> texts_;
    std::map<std::pair<unsigned, int>, Glyph> glyphs_;
};

}  // namespace bolvenda::render
