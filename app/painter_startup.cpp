#include "app/painter_startup.hpp"

#if defined(__GLIBC__)
#include <malloc.h>
#endif

#include "scene/assets/assets.hpp"
#include "scene/layout.hpp"

namespace bolvenda::app {

#if defined(__EMSCRIPTEN__) && !defined(__EMSCRIPTEN_PTHREADS__)
// A page without threads (they need cross-origin isolation, which a file opened from disk
// cannot have) does the same work in line.
PainterStartup::PainterStartup(const scene::Scene& scene, scene::Viewport first_frame) {
    prepare(scene, first_frame);
}
#else
PainterStartup::PainterStartup(const scene::Scene& scene, scene::Viewport first_frame)
    : worker_([this, &scene, first_frame] { prepare(scene, first_frame); }) {}
#endif

PainterStartup::~PainterStartup() { join(); }

void PainterStartup::prepare(const scene::Scene& scene, scene::Viewport first_frame) {
    try {
        labels_.emplace(assets::typeface(assets::Typeface::Bold));
        tips_.emplace(assets::typeface(assets::Typeface::Regular));
        pictures_.emplace();
        painter_.emplace(*pictures_, *labels_, *tips_);
        painter_->prepare(scene::Layout(scene), first_frame);
    } catch (...) {
        failure_ = std::current_exception();
    }
}

void PainterStartup::join() {
    if (worker_.joinable()) worker_.join();
}

view::Painter& PainterStartup::painter() {
    join();
#if defined(__GLIBC__)
    // The worker's decoding buffers are freed, but glibc keeps freed memory for later; hand
    // it back, so the game holds only what it shows.
    malloc_trim(0);
#endif
    if (failure_) std::rethrow_exception(failure_);
    return *painter_;
}

}  // namespace bolvenda::app
