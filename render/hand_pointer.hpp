// The hand pointer shown over what responds to a click: the stored 32 x 32 cursor, or from a
// scale of 1.5 on (a whiteboard, a phone) drawn from its drawing at 32 times the scale, as large
// as the platform shows pointers. Shared by every platform, which only hands it to its system.
#pragma once

#include <optional>

#include "scene/assets/icon_file.hpp"

namespace bolvenda::render {

inline constexpr int hand_pointer_px = 32;

// The hand's size, in the platform's pointer pixels, for a window of width x height pixels
// showing `window_pixels_per_pointer_pixel` of them to each pointer pixel, `largest` at most.
int hand_pointer_size(int width, int height, double window_pixels_per_pointer_pixel, int largest);

// The hand at size x size (straight alpha), its hot spot scaled with it; nothing where neither
// the stored cursor nor its drawing can be read.
std::optional<assets::IconImage> hand_pointer(int size);

}  // namespace bolvenda::render
