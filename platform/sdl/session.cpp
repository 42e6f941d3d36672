#include "platform/sdl/session.hpp"

#include <algorithm>
#include <cstdio>
#include <iterator>
#include <new>
#include <utility>

#include "render/startup_error.hpp"
#include "runtime/runtime_error.hpp"

namespace bolvenda::sdl {

play::KeyPress key_press(const SDL_KeyboardEvent& event) {
    using play::Key;
    static constexpr std::pair<SDL_Keycode, Key> known[] = {{SDLK_TAB, Key::Tab},
                                                            {SDLK_LEFT, Key::Left},
                                                            {SDLK_RIGHT, Key::Right},
                                                            {SDLK_HOME, Key::Home},
                                                            {SDLK_END, Key::End},
                                                            {SDLK_RETURN, Key::Enter},
                                                            {SDLK_KP_ENTER, Key::Enter},
                                                            {SDLK_UP, Key::Up},
                                                            {SDLK_SPACE, Key::Space},
                                                            {SDLK_m, Key::M},
                                                            {SDLK_F11, Key::F11},
                                                            {SDLK_CAPSLOCK, Key::Modifier},
                                                            {SDLK_NUMLOCKCLEAR, Key::Modifier}};
    const SDL_Keycode sym = event.keysym.sym;
    Key key = Key::Other;
    if (const auto* found = std::find_if(std::begin(known), std::end(known),
                                         [&](const auto& k) { return k.first == sym; });
        found != std::end(known))
        key = found->second;
    else if (sym >= SDLK_F1 && sym <= SDLK_F12)
        key = Key::Function;
    else if (sym >= SDLK_LCTRL && sym <= SDLK_RGUI)
        key = Key::Modifier;
    const Uint16 mod = event.keysym.mod;
    return {key, (mod & KMOD_SHIFT) != 0, (mod & (KMOD_CTRL | KMOD_ALT | KMOD_GUI)) != 0,
            event.repeat != 0};
}

Session::Session(game::GameCore& core, GameWindow& window, render::Painter& painter, bool animate,
                 int scan_ms, bool sound)
    : core_(&core),
      window_(&window),
      painter_(&painter),
      director_(core, {.animate = animate, .scan_ms = scan_ms, .muted = !sound}) {}

std::optional<scene::Point> Session::design_point(int window_x, int window_y) const {
    return viewport_.to_design(window_x, window_y);
}

std::vector<scene::Rect> Session::paint() {
    // Taken either way: a failed paint is not retried on every event that follows, and the
    // next paint that works repaints the whole window.
    const std::vector<const runtime::Element*> changed = core_->scene().changes().take();
    const PixelSize size = window_->size();
    if (size.width <= 0 || size.height <= 0 || cannot_draw_at_ == size) {  // nothing to see
        painter_->forget_frame();
        return {};
    }
    const std::optional<render::PixelView> target = window_->drawing_target();
    if (!target) {
        cannot_draw(size, SDL_GetError());
        return {};
    }
    const scene::Viewport viewport = scene::Viewport::fit(target->width, target->height);
    std::vector<scene::Rect> damage;
    try {
        damage = painter_->paint(director_.layout(), viewport, *target, changed,
                                 director_.tooltip(), director_.overlays());
    } catch (const render::StartupError& e) {
        cannot_draw(size, e.what());
        return {};
    } catch (const std::bad_alloc&) {
        cannot_draw(size, "out of memory");
        return {};
    }
    viewport_ = viewport;
    if (!damage.empty() && damage.front().width == target->width &&
        damage.front().height == target->height)
        drawn_size_ = PixelSize{target->width, target->height};
    cannot_draw_at_.reset();
    return damage;
}

void Session::cannot_draw(PixelSize size, const std::string& why) {
    // The pointer keeps the mapping of the frame last shown, which stays on screen where the
    // system keeps it; the window is asked back to the size that frame was painted at.
    painter_->forget_frame();
    cannot_draw_at_ = size;
    if (!said_cannot_draw_) {
        said_cannot_draw_ = true;
        std::fprintf(stderr,
                     "Bolvenda: cannot draw the window at %d x %d (%s); the game goes on at the "
                     "last size that worked\n",
                     size.width, size.height, why.c_str());
    }
    // Before any frame worked, the size the window opens at.
    const PixelSize back =
        drawn_size_.value_or(PixelSize{scene::design_width, scene::design_height});
    if (!(back == size)) window_->request_size(back);
}

void Session::repaint() { window_->present(paint()); }

play::Answer Session::handle(const SDL_Event& event, std::uint64_t now) {
    switch (event.type) {
        case SDL_QUIT:
            director_.close();
            return {};
        case SDL_SYSWMEVENT:
            // Gone without a close request: nothing is left to play in, so it ends as a close.
            if (window_->destroyed_by(event)) director_.close();
            return {};
        case SDL_WINDOWEVENT:
            if (event.window.windowID != window_->id()) return {};
            switch (event.window.event) {
                case SDL_WINDOWEVENT_CLOSE:
                    director_.close();
                    return {};
                case SDL_WINDOWEVENT_SIZE_CHANGED: {
                    // Repainted at once, before the next event: the pointer events after this
                    // one are mapped by the frame of the new size.
                    painter_->forget_frame();
                    play::Answer resized;
                    resized.repaint = true;
                    return resized;
                }
                case SDL_WINDOWEVENT_EXPOSED:
                    window_->present();
                    return {};
                case SDL_WINDOWEVENT_LEAVE:
                    return director_.pointer_left(now);
                default:
                    return {};
            }
        case SDL_KEYDOWN:
            return director_.key(key_press(event.key), now);
        case SDL_MOUSEMOTION:
            return director_.pointer_moved(design_point(event.motion.x, event.motion.y), now);
        case SDL_MOUSEBUTTONDOWN:
            if (event.button.button != SDL_BUTTON_LEFT) return {};
            return director_.pointer_pressed(design_point(event.button.x, event.button.y), now);
        case SDL_MOUSEBUTTONUP:
            if (event.button.button != SDL_BUTTON_LEFT) return {};
            return director_.pointer_released(design_point(event.button.x, event.button.y), now);
        default:
            return {};
    }
}

void Session::follow(const play::Answer& answer, std::uint64_t now, bool repaint_now) {
    if (answer.toggle_fullscreen) window_->toggle_fullscreen();
    if (answer.cursor) window_->set_cursor(*answer.cursor);
    if (answer.open_sound) output_.prepare(now);
    for (const scene::SoundPlan& plan : answer.sounds) output_.play(plan, now);
    output_.time_passed(now);
    if (repaint_now && !director_.ended()) repaint();
}

void Session::start() {
    const std::uint64_t now = SDL_GetTicks64();
    const play::Answer answer = director_.start(now);
    // The first frame is painted whole: whatever the painter drew before was another scene's.
    // The first pointer event finds the scene where this frame shows it, whatever size the
    // window was given before its size events are read.
    painter_->forget_frame();
    paint();
    follow(answer, now, false);
    // Put on screen once the window is there: drawn to a hidden window it would be lost.
    window_->show();
    window_->present();
}

std::optional<std::uint64_t> Session::deadline() const {
    std::optional<std::uint64_t> due = director_.deadline();
    if (auto closing = output_.deadline(); closing && (!due || *closing < *due)) due = closing;
    return due;
}

void Session::dispatch(const SDL_Event* event) {
    const std::uint64_t now = SDL_GetTicks64();
    play::Answer answer;
    try {
        answer = event != nullptr ? handle(*event, now) : director_.time_passed(now);
    } catch (const runtime::RuntimeError&) {
        repaint();  // the steps done before the error stay done, and are seen
        throw;
    }
    follow(answer, now, answer.repaint);
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

}  // namespace bolvenda::sdl
