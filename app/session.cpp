#include "app/session.hpp"

#include "runtime/runtime_error.hpp"

namespace bolvenda::app {

Session::Session(GameCore& core, view::GameWindow& window, view::Painter& painter)
    : core_(&core),
      window_(&window),
      painter_(&painter),
      layout_(core.scene()),
      router_(layout_, core.events()),
      tips_(layout_),
      viewport_(window.viewport()) {}

std::optional<scene::Point> Session::design_point(int window_x, int window_y) const {
    return viewport_.to_design(window_x, window_y);
}

std::vector<scene::Rect> Session::paint() {
    viewport_ = window_->viewport();
    auto changed = painter_->paint(layout_, viewport_, window_->drawing_surface(), tips_.shown());
    painted_revision_ = core_->scene().revision().value();
    return changed;
}

void Session::repaint() { window_->present(paint()); }

void Session::pointer_at(std::optional<scene::Point> p) {
    pointer_ = p;
    window_->set_cursor(p ? layout_.cursor_at(*p) : scene::Cursor::Arrow);
}

bool Session::handle(const SDL_Event& event) {
    const std::uint64_t now = SDL_GetTicks64();
    switch (event.type) {
        case SDL_QUIT:
            core_->end();
            return false;
        case SDL_WINDOWEVENT:
            if (event.window.windowID != window_->id()) return false;
            switch (event.window.event) {
                case SDL_WINDOWEVENT_CLOSE: core_->end(); return false;
                case SDL_WINDOWEVENT_SIZE_CHANGED: painter_->forget_frame(); return true;
                case SDL_WINDOWEVENT_EXPOSED: window_->present(); return false;
                case SDL_WINDOWEVENT_LEAVE: pointer_ = std::nullopt; return tips_.pointer_moved(std::nullopt, now);
                default: return false;
            }
        case SDL_KEYDOWN:
            if (event.key.keysym.sym == SDLK_F11 && event.key.repeat == 0) window_->toggle_fullscreen();
            return false;
        case SDL_MOUSEMOTION: {
            auto p = design_point(event.motion.x, event.motion.y);
            pointer_at(p);
            bool changed = tips_.pointer_moved(p, now);
            router_.move(p);
            return changed;
        }
        case SDL_MOUSEBUTTONDOWN: {
            if (event.button.button != SDL_BUTTON_LEFT) return false;
            auto p = design_point(event.button.x, event.button.y);
            pointer_at(p);
            bool changed = tips_.pointer_pressed();
            router_.press(p);
            return changed;
        }
        case SDL_MOUSEBUTTONUP: {
            if (event.button.button != SDL_BUTTON_LEFT) return false;
            router_.release(design_point(event.button.x, event.button.y));
            return false;
        }
        default: return false;
    }
}

void Session::start() {
    core_->events().load();  // before the window takes any input
    paint();
    // Put on screen once the window is there: drawn to a hidden window it would be lost.
    window_->show();
    window_->present();
}

bool Session::ended() const { return core_->events().ended(); }

std::optional<std::uint64_t> Session::deadline() const { return tips_.deadline(); }

void Session::dispatch(const SDL_Event* event) {
    bool dirty = false;
    try {
        if (event != nullptr) dirty = handle(*event);
    } catch (const runtime::RuntimeError&) {
        repaint();  // the steps done before the error stay done, and are seen
        throw;
    }
    if (ended()) return;
    const std::uint64_t now = SDL_GetTicks64();
    if (core_->scene().revision().value() != painted_revision_) {
        dirty = true;
        tips_.scene_changed(now);
        if (pointer_) window_->set_cursor(layout_.cursor_at(*pointer_));
    }
    dirty |= tips_.time_passed(now);
    if (dirty) repaint();
}

void Session::run() {
    start();
    while (!ended()) {
        SDL_Event event;
        bool got = false;
        if (auto due = deadline()) {
            std::uint64_t now = SDL_GetTicks64();
            int wait = *due > now ? static_cast<int>(*due - now) : 0;
            got = SDL_WaitEventTimeout(&event, wait) != 0;
        } else {
            got = SDL_WaitEvent(&event) != 0;
        }
        dispatch(got ? &event : nullptr);
    }
}

}  // namespace bolvenda::app
