#include "app/painter_startup.hpp"

#include "scene/assets/assets.hpp"
#include "scene/layout.hpp"

namespace bolvenda::app {

PainterStartup::PainterStartup(const scene::Scene& scene, scene::Viewport first_frame)
    : worker_([this, &scene, first_frame] { prepare(scene, first_frame); }) {}

PainterStartup::~PainterStartup() { join(); }

void PainterStartup::prepare(const scene::Scene& scene, scene::Viewport first_frame) {
    try {
        text_.emplace();
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
    if (failure_) std::rethrow_exception(failure_);
    return *painter_;
}

}  // namespace bolvenda::app
