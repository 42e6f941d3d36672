#include "app/painter_startup.hpp"

#include "platform/sdl/system.hpp"
#include "scene/assets/assets.hpp"
#include "scene/layout.hpp"

namespace bolvenda::app {

PainterStartup::PainterStartup(const scene::Scene& scene, scene::Viewport first_frame) {
    if (sdl::system::has_threads()) {
        worker_ = std::thread([this, &scene, first_frame] { prepare(scene, first_frame); });
    } else {
        prepare(scene, first_frame);
    }
}

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

render::Painter& PainterStartup::painter() {
    join();
    sdl::system::release_startup_memory();  // the worker's decoding buffers
    if (failure_) std::rethrow_exception(failure_);
    return *painter_;
}

}  // namespace bolvenda::app
