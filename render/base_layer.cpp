#include "render/base_layer.hpp"

#include <algorithm>
#include <cstring>
#include <optional>

namespace bolvenda::render {

namespace {

// Colours to palette indices, for at most 256 colours: open addressing in twice the room.
class ColourIndex {
  public:
    // The colour's index, or nothing once a 257th colour comes.
    std::optional<std::uint8_t> index_of(std::uint32_t colour,
                                         std::array<std::uint32_t, 256>& palette) {
        std::size_t slot = (colour * 2654435761u) >> 23;  // 9 bits
        while (used_[slot]) {
            if (keys_[slot] == colour) return values_[slot];
            slot = (slot + 1) % keys_.size();
        }
        if (count_ == 256) return std::nullopt;
        used_[slot] = true;
        keys_[slot] = colour;
        values_[slot] = static_cast<std::uint8_t>(count_);
        palette[count_] = colour;
        return static_cast<std::uint8_t>(count_++);
    }

  private:
    std::array<std::uint32_t, 512> keys_{};
    std::array<std::uint8_t, 512> values_{};
    std::array<bool, 512> used_{};
    std::size_t count_ = 0;
};

}  // namespace

void BaseLayer::clear() {
    whole_ = {};
    indices_ = {};
}

void BaseLayer::start(scene::Rect inner, std::uint32_t outside) {
    clear();
    inner_ = inner;
    outside_ = outside;
}

bool BaseLayer::keep_indexed(const PixelView& drawn) {
    const auto size =
        static_cast<std::size_t>(drawn.width) * static_cast<std::size_t>(drawn.height);
    std::vector<std::uint8_t> indices(size);
    ColourIndex colours;
    std::size_t at = 0;
    for (int y = 0; y < drawn.height; ++y) {
        const std::uint32_t* row = drawn.row(y);
        for (int x = 0; x < drawn.width; ++x) {
            auto index = colours.index_of(row[x] & 0x00FFFFFF, palette_);
            if (!index) return false;  // a scaled pond has many more colours
            indices[at++] = *index;
        }
    }
    width_ = drawn.width;
    indices_ = std::move(indices);
    return true;
}

void BaseLayer::keep(PixelImage drawn, scene::Rect inner, std::uint32_t outside) {
    start(inner, outside);
    if (!keep_indexed(drawn.view())) whole_ = std::move(drawn);
}

void BaseLayer::keep_copy(const PixelView& drawn, scene::Rect inner, std::uint32_t outside) {
    start(inner, outside);
    if (keep_indexed(drawn)) return;
    PixelImage whole(drawn.width, drawn.height);
    const PixelView into = whole.view();
    for (int y = 0; y < drawn.height; ++y)
        std::memcpy(into.row(y), drawn.row(y),
                    static_cast<std::size_t>(drawn.width) * sizeof(std::uint32_t));
    whole_ = std::move(whole);
}

void BaseLayer::copy_to(const PixelView& target, scene::Rect area) const {
    // The letterbox bands above and below the scene, then those beside it, then the scene.
    const int top = std::max(area.top, inner_.top);
    const int bottom = std::max(top, std::min(area.bottom(), inner_.bottom()));
    const int left = std::max(area.left, inner_.left);
    const int right = std::max(left, std::min(area.right(), inner_.right()));
    const scene::Rect bands[] = {
        {area.left, area.top, area.width, top - area.top},
        {area.left, bottom, area.width, area.bottom() - bottom},
        {area.left, top, left - area.left, bottom - top},
        {right, top, area.right() - right, bottom - top},
    };
    for (const scene::Rect& band : bands) {
        if (band.width <= 0 || band.height <= 0) continue;
        for (int y = band.top; y < band.bottom(); ++y)
            std::fill_n(target.row(y) + band.left, band.width, outside_);
    }
    if (right > left && bottom > top) copy_inner(target, {left, top, right - left, bottom - top});
}

void BaseLayer::copy_inner(const PixelView& target, scene::Rect area) const {
    if (!whole_.empty()) {
        for (int y = area.top; y < area.bottom(); ++y)
            std::memcpy(target.row(y) + area.left,
                        whole_.row(y - inner_.top) + (area.left - inner_.left),
                        static_cast<std::size_t>(area.width) * sizeof(std::uint32_t));
        return;
    }
    for (int y = area.top; y < area.bottom(); ++y) {
        std::uint32_t* out = target.row(y) + area.left;
        const std::uint8_t* in =
            indices_.data() +
            static_cast<std::size_t>(y - inner_.top) * static_cast<std::size_t>(width_) +
            static_cast<std::size_t>(area.left - inner_.left);
        for (int x = 0; x < area.width; ++x) out[x] = palette_[in[x]];
    }
}

}  // namespace bolvenda::render
