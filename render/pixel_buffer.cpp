#include "render/pixel_buffer.hpp"

#include <new>

#include "render/startup_error.hpp"

namespace bolvenda::render {

PixelImage::PixelImage(int width, int height) : width_(width), height_(height) {
    try {
        if (width < 0 || height < 0) throw std::bad_alloc();
        pixels_.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    } catch (const std::bad_alloc&) {
        throw StartupError("cannot allocate the window's picture (out of memory)",
                           "Memoria insufficiente per disegnare la finestra del gioco.");
    }
}

}  // namespace bolvenda::render
