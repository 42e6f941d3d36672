// SDL's video, started for the lifetime of an object. Software drawing only: the window's own
// surface, never a GL context. Text needs no SDL at all (FreeType, in the text renderer), so
// the fonts can be opened on one thread while the display is reached on another.
#pragma once

#include <optional>

namespace bolvenda::sdl {

// SDL's video and events, on a display the user can see (or on the driver a caller asked for
// by SDL_VIDEODRIVER).
class VideoLibrary {
  public:
    VideoLibrary();  // throws StartupError
    ~VideoLibrary();
    VideoLibrary(const VideoLibrary&) = delete;
    VideoLibrary& operator=(const VideoLibrary&) = delete;
};

// For tests and tools; video = false starts nothing, as offscreen drawing needs no SDL library.
class SdlLibrary {
  public:
    explicit SdlLibrary(bool video = true) {
        if (video) video_.emplace();
    }

  private:
    std::optional<VideoLibrary> video_;
};

}  // namespace bolvenda::sdl
