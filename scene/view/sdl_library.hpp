// SDL's video and SDL_ttf, started for the lifetime of this object. Software drawing only:
// the window's own surface, never a GL context.
#pragma once

namespace bolvenda::view {

class SdlLibrary {
public:
    // video = false starts only what offscreen drawing needs (SDL_ttf).
    explicit SdlLibrary(bool video = true);
    ~SdlLibrary();
    SdlLibrary(const SdlLibrary&) = delete;
    SdlLibrary& operator=(const SdlLibrary&) = delete;

private:
    bool video_;
};

}  // namespace bolvenda::view
