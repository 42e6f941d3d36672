// Finds a font file through fontconfig, the way the desktop itself would pick it: "Arial:bold"
// is Arial on Windows and the metric-compatible Liberation Sans Bold on Debian.
#pragma once

#include <string>

namespace bolvenda::view {

// The file of the best match for a fontconfig pattern; throws StartupError where fontconfig
// knows no font at all.
std::string find_font_file(const char* pattern);

}  // namespace bolvenda::view
