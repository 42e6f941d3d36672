#include "app/session.hpp"

#include <cstdio>
#include <new>

#include "runtime/runtime_error.hpp"
#include "scene/view/startup_error.hpp"

namespace bolvenda::app {

namespace {
// A key with Ctrl, Alt or the system key held is the system's (and the browser's), M too.
bool with_system_modifier(Uint16 mod) { return (mod & (KMOD_CTRL | KMOD_ALT | KMOD_GUI)) != 0; }
}  // namespace

Session::Session(game::GameCore& core, view::GameWindow& window, view::Painter& painter,
                 bool animate, int scan_ms, bool sound)
    : core_(&core),
      window_(&window),
      painter_(&painter),
      layout_(core.scene()),
      router_(layout_, core.events()),
      tips_(layout_),
      leap_(core.scene(), layout_, animate),
      focus_(core.scene()),
      sounds_(core.scene(), animate, !sound) {
    if (scan_ms > 0) {
        scan_.emplace(static_cast<std::uint64_t>(scan_ms));
        focus_.show_ring();  // a switch's user follows the ring from the start
    }
}

std::vector<scene::Overlay> Session::overlays() const {
    std::vector<scene::Overlay> drawn;
    const auto leap = leap_.overlays();
    drawn.insert(drawn.end(), leap.begin(), leap.end());
    // The focus's ring over everything, the leaping frog included.
    if (auto ring = focus_ring())
        drawn.push_back(
            scene::Overlay::mark(*ring, scene::focus_ring_colour, scene::focus_ring_width));
    return drawn;
}

std::optional<scene::Point> Session::design_point(int window_x, int window_y) const {
    return viewport_.to_design(window_x, window_y);
}

std::vector<scene::Rect> Session::paint() {
    // Taken either way: a failed paint is not retried on every event that follows, and the
    // next paint that works repaints the whole window.
    const std::vector<const runtime::Element*> changed = core_->scene().changes().take();
    const view::PixelSize size = window_->size();
    if (size.width <= 0 || size.height <= 0 || cannot_draw_at_ == size) {  // nothing to see
        painter_->forget_frame();
        return {};
    }
    SDL_Surface* target = window_->drawing_surface();
    if (target == nullptr) {
        cannot_draw(size, SDL_GetError());
        return {};
    }
    const scene::Viewport viewport = scene::Viewport::fit(target->w, target->h);
    std::vector<scene::Rect> damage;
    try {
        damage = painter_->paint(layout_, viewport, *target, changed, tips_.shown(), overlays());
    } catch (const view::StartupError& e) {
        cannot_draw(size, e.what());
        return {};
    } catch (const std::bad_alloc&) {
        cannot_draw(size, "out of memory");
        return {};
    }
    viewport_ = viewport;
    if (!damage.empty() && damage.front().width == target->w && damage.front().height == target->h)
        drawn_size_ = view::PixelSize{target->w, target->h};
    cannot_draw_at_.reset();
    return damage;
}

void Session::cannot_draw(view::PixelSize size, const std::string& why) {
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
    const view::PixelSize back =
        drawn_size_.value_or(view::PixelSize{scene::design_width, scene::design_height});
    if (!(back == size)) window_->request_size(back);
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
        case SDL_SYSWMEVENT:
            // Gone without a close request: nothing is left to play in, so it ends as a close.
            if (window_->destroyed_by(event)) core_->end();
            return false;
        case SDL_WINDOWEVENT:
            if (event.window.windowID != window_->id()) return false;
            switch (event.window.event) {
                case SDL_WINDOWEVENT_CLOSE:
                    core_->end();
                    return false;
                case SDL_WINDOWEVENT_SIZE_CHANGED:
                    // Repainted at once, before the next event: the pointer events after this
                    // one are mapped by the frame of the new size.
                    painter_->forget_frame();
                    return true;
                case SDL_WINDOWEVENT_EXPOSED:
                    window_->present();
                    return false;
                case SDL_WINDOWEVENT_LEAVE:
                    pointer_ = std::nullopt;
                    return tips_.pointer_moved(std::nullopt, now);
                default:
                    return false;
            }
        case SDL_KEYDOWN:
            if (event.key.keysym.sym == SDLK_F11 && event.key.repeat == 0)
                window_->toggle_fullscreen();
            if (event.key.keysym.sym == SDLK_m && !with_system_modifier(event.key.keysym.mod)) {
                if (event.key.repeat == 0) toggle_mute();
                return false;
            }
            return key(event.key, now);
        case SDL_MOUSEMOTION: {
            auto p = design_point(event.motion.x, event.motion.y);
            pointer_at(p);
            const bool tip_changed = tips_.pointer_moved(p, now);
            router_.move(p);
            return tip_changed;
        }
        case SDL_MOUSEBUTTONDOWN: {
            if (event.button.button != SDL_BUTTON_LEFT || scan_) return false;
            auto p = design_point(event.button.x, event.button.y);
            pointer_at(p);
            const bool tip_changed = tips_.pointer_pressed();
            router_.press(p);
            // The device opens while the button is down: the click's sound starts at once.
            if (!sounds_.muted()) output_.prepare(now);
            return tip_changed;
        }
        case SDL_MOUSEBUTTONUP: {
            if (event.button.button != SDL_BUTTON_LEFT) return false;
            if (scan_) return click_focused(now);  // the switch: a click or a tap anywhere
            return clicked(router_.release(design_point(event.button.x, event.button.y)), now);
        }
        default:
            return false;
    }
}

bool Session::clicked(const runtime::Element* clicked, std::uint64_t now) {
    if (clicked == nullptr) return false;
    output_.play(sounds_.clicked(*clicked), now);
    // What the handler changed is still there: the painter takes it after this.
    return leap_.clicked(*clicked, core_->scene().changes().pending(), now);
}

bool Session::click_focused(std::uint64_t now) {
    runtime::Element* focused = focus_.focused();
    if (focused == nullptr) return false;
    return clicked(core_->events().click(*focused) ? focused : nullptr, now);
}

bool Session::takes_key(SDL_Keycode key, Uint16 mod) const {
    if (with_system_modifier(mod)) return false;
    if (key >= SDLK_F1 && key <= SDLK_F12) return false;
    if (key == SDLK_m) return false;  // the mute's, even for a switch
    if (scan_) {
        // Any key is the switch, but a modifier alone is half of another key.
        return !(key >= SDLK_LCTRL && key <= SDLK_RGUI) && key != SDLK_CAPSLOCK &&
               key != SDLK_NUMLOCKCLEAR;
    }
    switch (key) {
        case SDLK_TAB:
        case SDLK_LEFT:
        case SDLK_RIGHT:
        case SDLK_HOME:
        case SDLK_END:
        case SDLK_RETURN:
        case SDLK_KP_ENTER:
        case SDLK_SPACE:
            return true;
        default:
            return false;
    }
}

bool Session::key(const SDL_KeyboardEvent& event, std::uint64_t now) {
    using Move = scene::KeyboardFocus::Move;
    const SDL_Keycode sym = event.keysym.sym;
    if (!takes_key(sym, event.keysym.mod)) return false;
    // A key held down repeats its step along the line, but clicks only once.
    if (scan_) return event.repeat == 0 && click_focused(now);
    const bool ring = focus_.show_ring();
    switch (sym) {
        case SDLK_RETURN:
        case SDLK_KP_ENTER:
        case SDLK_SPACE:
            return (event.repeat == 0 && click_focused(now)) || ring;
        case SDLK_TAB:
            return focus_.move((event.keysym.mod & KMOD_SHIFT) != 0 ? Move::Previous
                                                                    : Move::Next) ||
                   ring;
        case SDLK_LEFT:
            return focus_.move(Move::Left) || ring;
        case SDLK_RIGHT:
            return focus_.move(Move::Right) || ring;
        case SDLK_HOME:
            return focus_.move(Move::First) || ring;
        default:
            return focus_.move(Move::Last) || ring;
    }
}

std::optional<scene::Rect> Session::focus_ring() const {
    const runtime::Element* focused = focus_.focused();
    if (!focus_.ring_shown() || focused == nullptr || ended()) return std::nullopt;
    return scene::focus_ring_around(layout_.of(*focused).rect);
}

void Session::focus_from_page(int position) {
    if (position < 0 || position >= scene::KeyboardFocus::candidate_count) return;
    const bool ring = focus_.show_ring();
    const bool moved = focus_.focus(focus_.candidate(position));
    if (moved && scan_) scan_->rested(SDL_GetTicks64());
    settle(moved || ring);
}

void Session::click_from_page(int position) {
    if (position < 0 || position >= scene::KeyboardFocus::candidate_count) return;
    // The page's buttons are disabled as the scene's elements are; one that is not responding
    // yet (a page a step behind) does nothing, as a click on it would.
    if (!focus_.focusable(position)) return;
    focus_.focus(focus_.candidate(position));
    settle(click_focused(SDL_GetTicks64()));
}

void Session::start() {
    core_->events().load();  // before the window takes any input
    focus_.scene_changed();  // on the new-round picture
    if (scan_) scan_->rested(SDL_GetTicks64());
    // The first frame is painted whole: whatever the painter drew before was another scene's.
    // The first pointer event finds the scene where this frame shows it, whatever size the
    // window was given before its size events are read (a page sizes its canvas itself).
    painter_->forget_frame();
    paint();
    // Put on screen once the window is there: drawn to a hidden window it would be lost.
    window_->show();
    window_->present();
}

bool Session::ended() const { return core_->events().ended(); }

std::optional<std::uint64_t> Session::deadline() const {
    std::optional<std::uint64_t> due;
    for (auto next : {tips_.deadline(), leap_.deadline(), output_.deadline(),
                      scan_ ? std::optional(scan_->deadline()) : std::nullopt}) {
        if (next && (!due || *next < *due)) due = next;
    }
    return due;
}

void Session::toggle_mute() { output_.play(sounds_.toggle_mute(), SDL_GetTicks64()); }

void Session::dispatch(const SDL_Event* event) {
    bool dirty = false;
    try {
        if (event != nullptr) dirty = handle(*event);
    } catch (const runtime::RuntimeError&) {
        repaint();  // the steps done before the error stay done, and are seen
        throw;
    }
    settle(dirty);
}

void Session::settle(bool dirty) {
    if (ended()) {
        leap_events_ = leap_.take_events();
        return;
    }
    const std::uint64_t now = SDL_GetTicks64();
    if (dirty) ++shown_version_;  // a key moved the focus or showed the ring
    if (core_->scene().changes().any()) {
        dirty = true;
        ++shown_version_;
        tips_.scene_changed(now);
        if (pointer_) window_->set_cursor(layout_.cursor_at(*pointer_));
        // A round opened or closed: the focus lands where the next thing to do is.
        if (focus_.scene_changed() && scan_) scan_->rested(now);
    }
    if (scan_ && scan_->time_passed(now) && focus_.move(scene::KeyboardFocus::Move::Next)) {
        dirty = true;
        ++shown_version_;
    }
    dirty |= tips_.time_passed(now);
    dirty |= leap_.time_passed(now);
    // The one place that knows what this event did to the leap, for whoever follows it.
    leap_events_ = leap_.take_events();
    for (const scene::FrogLeap::Event& e : leap_events_) output_.play(sounds_.leap(e), now);
    output_.time_passed(now);
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
