// SDL's video and SDL_ttf, each started for the lifetime of an object. Software drawing only:
// the window's own surface, never a GL context. The two are apart so that the fonts can be
// opened on one thread while the display is reached on another.
#pragma once

#include <optional>

namespace bolvenda::view {

// Process-wide settings that must be made before any other thread starts.
void prepare_process_environment();

// SDL_ttf (FreeType); needs nothing else of SDL.
class TextLibrary {
public:
    TextLibrary();  // throws StartupError
    ~TextLibrary();
    TextLibrary(const TextLibrary&) = delete;
    TextLibrary& operator=(const TextLibrary&) = delete;
};

// SDL's video and events, on a display the user can see (or on the driver a caller asked for
// by SDL_VIDEODRIVER).
class VideoLibrary {
public:
    VideoLibrary();  // throws StartupError
    ~VideoLibrary();
    VideoLibrary(const VideoLibrary&) = delete;
    VideoLibrary& operator=(const VideoLibrary&) = delete;
};

// Both at once, for tests and tools; video = false starts only what offscreen drawing needs.
class SdlLibrary {
public:
    explicit SdlLibrary(bool video = true) {
        if (video) video_.emplace();
    }

private:
    TextLibrary text_;
    std::optional<VideoLibrary> video_;
};

}  // namespace bolvenda::view
