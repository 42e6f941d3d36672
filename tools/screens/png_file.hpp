// A frame of pixels written as a PNG file with cairo, for the tools' pictures to look at, and
// a screenshot read back.
#pragma once

#include <filesystem>

#include "tests/support/pixels.hpp"

namespace bolvenda::tools {

// Prints the path once written; throws std::runtime_error if it cannot be.
void write_png(testing::Pixels frame, const std::filesystem::path& path);
// A PNG file's pixels, without their alpha; throws std::runtime_error if it does not read.
testing::Pixels read_png(const std::filesystem::path& path);

}  // namespace bolvenda::tools
