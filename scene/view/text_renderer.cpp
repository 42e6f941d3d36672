#include "scene/view/text_renderer.hpp"

#include <algorithm>
#include <limits>

#include "scene/view/startup_error.hpp"

namespace bolvenda::view {

TextRenderer::TextRenderer(std::span<const unsigned char> font) : font_(font) {
    this->font(12);
}

TTF_Font* TextRenderer::font(int pixel_size) {
    // One face for every size: each opened face would keep its own copy of the font's
    // shaping tables, some hundred kilobytes a size.
    if (!font_handle_) {
        // Opened from the program's own bytes: no font lookup, the same pixels everywhere.
        if (!font_.empty() && font_.size() <= static_cast<std::size_t>(std::numeric_limits<int>::max()))
            font_handle_.reset(TTF_OpenFontRW(SDL_RWFromConstMem(font_.data(), static_cast<int>(font_.size())),
                                              1, pixel_size));
        if (!font_handle_) {
            throw StartupError(std::string("cannot open the embedded font (") + TTF_GetError() + ")",
                               "Impossibile aprire il carattere per i testi del gioco.");
        }
        TTF_SetFontHinting(font_handle_.get(), TTF_HINTING_NORMAL);
        size_ = pixel_size;
    }
    // SDL_ttf sizes are points at 72 dpi, that is pixels of the em, as the design's sizes are.
    if (size_ != pixel_size) {
        if (TTF_SetFontSize(font_handle_.get(), pixel_size) != 0) {
            throw StartupError(std::string("cannot size the embedded font (") + TTF_GetError() + ")",
                               "Impossibile aprire il carattere per i testi del gioco.");
        }
        size_ = pixel_size;
    }
    return font_handle_.get();
}

int TextRenderer::line_height(int pixel_size) { return TTF_FontHeight(font(pixel_size)); }

namespace {

// How far the text's glyphs reach above the font's ascent, as SDL_ttf then makes its surface
// taller at the top.
int rise_of(TTF_Font* font, std::string_view utf8) {
    int highest = TTF_FontAscent(font);
    for (std::size_t i = 0; i < utf8.size();) {
        auto c = static_cast<unsigned char>(utf8[i]);
        int length = c < 0x80 ? 1 : c < 0xE0 ? 2 : c < 0xF0 ? 3 : 4;
        Uint32 code = length == 1 ? c : c & (0x7F >> length);
        for (int k = 1; k < length && i + static_cast<std::size_t>(k) < utf8.size(); ++k)
            code = code << 6 | (static_cast<unsigned char>(utf8[i + static_cast<std::size_t>(k)]) & 0x3F);
        i += static_cast<std::size_t>(length);
        int minx = 0, maxx = 0, miny = 0, maxy = 0, advance = 0;
        if (TTF_GlyphMetrics32(font, code, &minx, &maxx, &miny, &maxy, &advance) == 0)
            highest = std::max(highest, maxy);
    }
    return highest - TTF_FontAscent(font);
}

}  // namespace

const RenderedText& TextRenderer::render(std::string_view text, int pixel_size, scene::Rgb colour) {
    int colour_key = colour.r << 16 | colour.g << 8 | colour.b;
    auto key = std::make_tuple(std::string(text), pixel_size, colour_key);
    auto found = texts_.find(key);
    if (found != texts_.end()) return found->second;

    // The counters write ever new numbers: keep the cache small rather than ever growing.
    if (texts_.size() >= max_cached_texts) texts_.clear();
    RenderedText rendered_text;
    PremultipliedImage& image = rendered_text.image;
    if (!text.empty()) {
        rendered_text.rise = rise_of(font(pixel_size), text);
        SDL_Color fg{colour.r, colour.g, colour.b, 255};
        SurfacePtr rendered(TTF_RenderUTF8_Blended(font(pixel_size), std::get<0>(key).c_str(), fg));
        if (!rendered) {
            throw StartupError(std::string("cannot draw text (") + TTF_GetError() + ")",
                               "Impossibile disegnare i testi del gioco.");
        }
        SurfacePtr argb(SDL_ConvertSurfaceFormat(rendered.get(), SDL_PIXELFORMAT_ARGB8888, 0));
        if (!argb) throw StartupError(std::string("cannot draw text (") + SDL_GetError() + ")",
                                      "Impossibile disegnare i testi del gioco.");
        image.width = argb->w;
        image.height = argb->h;
        image.pixels.resize(static_cast<std::size_t>(argb->w) * static_cast<std::size_t>(argb->h));
        for (int y = 0; y < argb->h; ++y) {
            const auto* row = reinterpret_cast<const Uint32*>(
                static_cast<const Uint8*>(argb->pixels) + y * argb->pitch);
            for (int x = 0; x < argb->w; ++x) {
                image.pixels[static_cast<std::size_t>(y * argb->w + x)] = premultiply(row[x]);
            }
        }
    }
    return texts_.emplace(std::move(key), std::move(rendered_text)).first->second;
}

void TextRenderer::forget_sizes() {
    texts_.clear();
    // The face stays open: a new scale only asks for other sizes of it.
}

}  // namespace bolvenda::view
