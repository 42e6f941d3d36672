#include "scene/view/premultiplied_image.hpp"

namespace bolvenda::view {

std::uint32_t premultiply(std::uint32_t argb) {
    std::uint32_t a = argb >> 24;
    auto mul = [a](std::uint32_t c) { return (c * a + 127) / 255; };
    return a << 24 | mul((argb >> 16) & 0xFF) << 16 | mul((argb >> 8) & 0xFF) << 8 |
           mul(argb & 0xFF);
}

}  // namespace bolvenda::view
