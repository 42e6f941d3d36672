#include "scene/view/font_finder.hpp"

#include "scene/view/startup_error.hpp"

namespace bolvenda::view {

namespace {

struct PatternDeleter {
    void operator()(FcPattern* p) const noexcept { FcPatternDestroy(p); }
};
using PatternPtr = std::unique_ptr<FcPattern, PatternDeleter>;

StartupError no_font(const char* pattern, const char* why) {
    return StartupError(std::string("no font found for \"") + pattern + "\" (" + why +
                            "); install fonts-liberation2",
                        "Impossibile trovare il carattere Arial per i testi del gioco.");
}

}  // namespace

// A configuration of our own, so that nothing global of fontconfig stays behind.
FontFinder::FontFinder() : config_(FcInitLoadConfigAndFonts()) {
    if (!config_) throw no_font("Arial", "fontconfig did not start");
}

std::string FontFinder::file_for(const char* pattern) const {
    PatternPtr wanted(FcNameParse(reinterpret_cast<const FcChar8*>(pattern)));
    if (!wanted) throw no_font(pattern, "bad pattern");
    FcConfigSubstitute(config_.get(), wanted.get(), FcMatchPattern);
    FcDefaultSubstitute(wanted.get());
    FcResult result = FcResultNoMatch;
    PatternPtr match(FcFontMatch(config_.get(), wanted.get(), &result));
    FcChar8* file = nullptr;
    if (!match || FcPatternGetString(match.get(), FC_FILE, 0, &file) != FcResultMatch ||
        file == nullptr)
        throw no_font(pattern, "no font installed");
    return reinterpret_cast<const char*>(file);
}

std::string find_font_file(const char* pattern) { return FontFinder().file_for(pattern); }

}  // namespace bolvenda::view
