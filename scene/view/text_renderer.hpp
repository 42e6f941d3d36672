// Labels' text: one embedded typeface opened at every pixel size asked for, each text rendered once
// with anti-aliasing and kept, premultiplied, until the window's scale changes.
#pragma once

#include <map>
#include <span>
#include <string>
#include <string_view>
#include <tuple>

#include "scene/geometry.hpp"
#include "scene/view/premultiplied_image.hpp"
#include "scene/view/sdl_handles.hpp"

namespace bolvenda::view {

// A rendered line of text. The image starts rise pixels above the top of the font's line
// where a glyph (the accent of "È" at small sizes) reaches higher than the font's ascent.
struct RenderedText {
    PremultipliedImage image;
    int rise = 0;
};

class TextRenderer {
public:
    // The font's bytes must outlive the renderer. Throws StartupError if they are not a font
    // SDL_ttf can open.
    explicit TextRenderer(std::span<const unsigned char> font);

    // The text on one line; empty text gives an empty image.
    const RenderedText& render(std::string_view text, int pixel_size, scene::Rgb colour);
    int line_height(int pixel_size);
    void forget_sizes();

    static constexpr std::size_t max_cached_texts = 256;

private:
    TTF_Font* font(int pixel_size);

    std::span<const unsigned char> font_;
    FontPtr font_handle_;
    int size_ = 0;
    std::map<std::tuple<std::string, int, int>, RenderedText> texts_;
};

}  // namespace bolvenda::view
