// The committed GIFs as giflib reads them: the tests' second reader, independent of the
// game's decoder and of the generator's writing.
#pragma once

#include <gif_lib.h>

#include <cstdint>
#include <memory>
#include <span>

namespace bolvenda::test {

struct GifColour {
    std::uint8_t r = 0, g = 0, b = 0;
    friend bool operator==(const GifColour&, const GifColour&) = default;
};

struct GifCloser {
    void operator()(GifFileType* gif) const { DGifCloseFile(gif, nullptr); }
};

// A file read whole by DGifSlurp: its images de-interlaced, its extension blocks as they
// stand (one entry per sub-block), and how many bytes giflib took up to its trailer.
struct Gif {
    std::unique_ptr<GifFileType, GifCloser> file;
    std::size_t bytes_read = 0;

    const SavedImage& image() const;  // the first; throws where there is none
    int index_at(int x, int y) const { return image().RasterBits[y * image().ImageDesc.Width + x]; }
    GifColour colour(int index) const;  // of the global palette
    GifColour at(int x, int y) const { return colour(index_at(x, y)); }
};

// Throws std::runtime_error with giflib's reason where it refuses the bytes.
Gif read_gif(std::span<const unsigned char> bytes);

}  // namespace bolvenda::test
