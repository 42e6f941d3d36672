// The start-up work that needs no display, done on a second thread while SDL reaches the
// display and makes the window: the typefaces opened, the pictures decoded and scaled for the
// first window size, the base layer drawn. The one place where start-up work is started
// (the constructor) and joined (painter(), or the destructor on a failed start).
#pragma once

#include <exception>
#include <optional>
#include <thread>

#include "platform/sdl/sdl_library.hpp"
#include "render/painter.hpp"
#include "render/picture_set.hpp"
#include "render/text_renderer.hpp"
#include "scene/scene.hpp"
#include "scene/viewport.hpp"

namespace bolvenda::app {

class PainterStartup {
  public:
    // Nothing may change the scene until painter() has returned: the worker reads it.
    PainterStartup(const scene::Scene& scene, scene::Viewport first_frame);
    ~PainterStartup();
    PainterStartup(const PainterStartup&) = delete;
    PainterStartup& operator=(const PainterStartup&) = delete;

    // Waits for the worker; rethrows its failure (a StartupError) on this thread.
    render::Painter& painter();

  private:
    void prepare(const scene::Scene& scene, scene::Viewport first_frame);
    void join();

    std::optional<render::TextRenderer> labels_;
    std::optional<render::TextRenderer> tips_;
    std::optional<render::PictureSet> pictures_;
    std::optional<render::Painter> painter_;
    std::exception_ptr failure_;
    std::thread worker_;
};

}  // namespace bolvenda::app
