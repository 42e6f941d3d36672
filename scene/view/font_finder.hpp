// Finds font files through fontconfig, the way the desktop itself would pick them: "Arial:bold"
// is Arial on Windows and the metric-compatible Liberation Sans Bold on Debian.
#pragma once

#include <fontconfig/fontconfig.h>

#include <memory>
#include <string>

namespace bolvenda::view {

class FontFinder {
public:
    // Loads fontconfig's configuration once (the slow part); throws StartupError.
    FontFinder();

    // The file of the best match for a fontconfig pattern; throws StartupError where
    // fontconfig knows no font at all.
    std::string file_for(const char* pattern) const;

private:
    struct ConfigDeleter {
        void operator()(FcConfig* c) const noexcept { FcConfigDestroy(c); }
    };
    std::unique_ptr<FcConfig, ConfigDeleter> config_;
};

// One lookup with a configuration of its own, for callers that need a single font.
std::string find_font_file(const char* pattern);

}  // namespace bolvenda::view
