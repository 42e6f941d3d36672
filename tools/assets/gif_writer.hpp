// Writes one still picture as a GIF89a: one frame the size of the screen, a full
// 256-entry global palette and one graphic control extension naming the transparent index.
#pragma once

#include <cstdint>
#include <vector>

#include "tools/assets/indexed.hpp"

namespace bolvenda::tools {

std::vector<std::uint8_t> encode_gif(const Indexed& picture);

}  // namespace bolvenda::tools
