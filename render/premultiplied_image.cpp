#include "render/premultiplied_image.hpp"

#include <algorithm>

namespace bolvenda::render {

std::uint32_t premultiply(std::uint32_t argb) {
    std::uint32_t a = argb >> 24;
    auto mul = [a](std::uint32_t c) { return (c * a + 127) / 255; };
    return a << 24 | mul((argb >> 16) & 0xFF) << 16 | mul((argb >> 8) & 0xFF) << 8 |
           mul(argb & 0xFF);
}

std::uint32_t unpremultiply(std::uint32_t premultiplied) {
    std::uint32_t a = premultiplied >> 24;
    if (a == 0) return 0;
    auto div = [a](std::uint32_t c) { return std::min<std::uint32_t>(255, (c * 255 + a / 2) / a); };
    return a << 24 | div((premultiplied >> 16) & 0xFF) << 16 |
           div((premultiplied >> 8) & 0xFF) << 8 | div(premultiplied & 0xFF);
}

}  // namespace bolvenda::render
