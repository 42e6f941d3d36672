#include "platform/web/page_host.hpp"

#include <emscripten.h>
#include <emscripten/eventloop.h>
#include <emscripten/html5.h>

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string_view>
#include <utility>

#include "render/startup_error.hpp"
#include "runtime/runtime_error.hpp"
#include "scene/assets/assets.hpp"
#include "scene/scene_words.hpp"

// The page (index.html) shows what became of the game; a page cannot close its own tab.
// host is what the page passes back to bolvenda_page_focus and bolvenda_page_click; names,
// the focus order's names, one a line.
EM_JS(void, page_game_started, (void* host, const char* names), {
    if (Module.gameStarted) Module.gameStarted(host, UTF8ToString(names).split("\n"));
});
// responding: bit i for the focus order's element i; focused: its place, -1 for none; follow:
// the ring shows, so the page's own focus goes where the game's is.
EM_JS(void, page_mirror,
      (const char* exercise, const char* score, const char* verdict, int responding, int focused,
       int follow),
      {
          if (Module.mirror)
              Module.mirror(UTF8ToString(exercise), UTF8ToString(score), UTF8ToString(verdict),
                            responding, focused, !!follow);
      });
EM_JS(void, page_game_stopped, (const char* message), {
    if (Module.gameStopped) Module.gameStopped(message ? UTF8ToString(message) : "");
});
// The page's speaker button (and its key M) switch the sounds through this host; the page is
// told whether they start muted.
EM_JS(void, page_sound_ready, (void* host, bool muted), {
    if (Module.soundReady)
        Module.soundReady(
            function() { return !!_bolvenda_toggle_sound(host); }, muted);
});

// The bytes the page fetched, copied into the game's memory and let go of.
EM_JS(void, take_sound_bytes, (unsigned char* to, int size), {
    HEAPU8.set(Module.soundBytes.subarray(0, size), to);
    delete Module.soundBytes;
});

namespace bolvenda::web {

namespace {

constexpr const char* unexpected_failure = "Bolvenda si è fermato per un errore imprevisto.";
constexpr const char* canvas = "#canvas";

PageHost& host_of(void* self) { return *static_cast<PageHost*>(self); }

EM_BOOL on_mouse(int type, const EmscriptenMouseEvent* e, void* self) {
    using Pointer = PageHost::Pointer;
    if (type != EMSCRIPTEN_EVENT_MOUSEMOVE && type != EMSCRIPTEN_EVENT_MOUSELEAVE && e->button != 0)
        return EM_FALSE;  // only the primary button clicks
    const Pointer what = type == EMSCRIPTEN_EVENT_MOUSEDOWN    ? Pointer::Pressed
                         : type == EMSCRIPTEN_EVENT_MOUSEUP    ? Pointer::Released
                         : type == EMSCRIPTEN_EVENT_MOUSELEAVE ? Pointer::Left
                                                               : Pointer::Moved;
    host_of(self).pointer(what, static_cast<double>(e->clientX), static_cast<double>(e->clientY));
    return EM_FALSE;
}

// One finger is a pointer; taken, so that the browser sends no mouse events after it as well
// (a tap would be two clicks) and neither scrolls nor zooms the game.
EM_BOOL on_touch(int type, const EmscriptenTouchEvent* e, void* self) {
    using Pointer = PageHost::Pointer;
    for (int i = 0; i < e->numTouches; ++i) {
        const EmscriptenTouchPoint& t = e->touches[i];
        if (!t.isChanged) continue;
        const double x = static_cast<double>(t.clientX), y = static_cast<double>(t.clientY);
        PageHost& host = host_of(self);
        if (type == EMSCRIPTEN_EVENT_TOUCHSTART) {
            host.pointer(Pointer::Moved, x, y);
            host.pointer(Pointer::Pressed, x, y);
        } else if (type == EMSCRIPTEN_EVENT_TOUCHMOVE) {
            host.pointer(Pointer::Moved, x, y);
        } else if (type == EMSCRIPTEN_EVENT_TOUCHEND) {
            host.pointer(Pointer::Released, x, y);
        } else {  // cancelled: the finger went to the browser, no click
            host.pointer(Pointer::Left, x, y);
        }
        break;
    }
    return EM_TRUE;
}

// The browser's key names for the keys the game knows; any other is a switch's key.
play::Key key_named(std::string_view name) {
    using play::Key;
    static constexpr std::pair<std::string_view, Key> known[] = {{"Tab", Key::Tab},
                                                                 {"ArrowLeft", Key::Left},
                                                                 {"ArrowRight", Key::Right},
                                                                 {"Home", Key::Home},
                                                                 {"End", Key::End},
                                                                 {"Enter", Key::Enter},
                                                                 {" ", Key::Space},
                                                                 {"ArrowUp", Key::Up},
                                                                 {"m", Key::M},
                                                                 {"M", Key::M},
                                                                 {"F11", Key::F11},
                                                                 {"Shift", Key::Modifier},
                                                                 {"Control", Key::Modifier},
                                                                 {"Alt", Key::Modifier},
                                                                 {"Meta", Key::Modifier},
                                                                 {"CapsLock", Key::Modifier},
                                                                 {"NumLock", Key::Modifier}};
    for (const auto& [known_name, key] : known)
        if (name == known_name) return key;
    if (name.size() >= 2 && name.size() <= 3 && name[0] == 'F' && name[1] >= '1' &&
        name[1] <= '9') {
        const int n = std::atoi(name.data() + 1);
        if (n >= 1 && n <= 12) return Key::Function;
    }
    return Key::Other;
}

EM_BOOL on_key(int, const EmscriptenKeyboardEvent* e, void* self) {
    const play::KeyPress key{key_named(e->key), e->shiftKey != 0,
                             e->ctrlKey || e->altKey || e->metaKey, e->repeat != 0};
    return host_of(self).key(key) ? EM_TRUE : EM_FALSE;
}

EM_BOOL on_resize(int, const EmscriptenUiEvent*, void* self) {
    host_of(self).resized();
    return EM_FALSE;
}

void on_timeout(void* self) { host_of(self).timeout(); }

}  // namespace

PageHost::PageHost(int scan_ms)
    : core_(clock_),
      labels_(assets::typeface(assets::Typeface::Bold)),
      tips_(assets::typeface(assets::Typeface::Regular)),
      painter_(pictures_, labels_, tips_),
      director_(core_, {animations_wanted(), scan_ms, false}) {}

void PageHost::start() {
    canvas_.fit_page();
    const std::uint64_t now = now_ms();
    const play::Answer answer = director_.start(now);
    painter_.forget_frame();  // the first frame is painted whole
    repaint();
    follow(answer, now);
    emscripten_set_mousedown_callback(canvas, this, false, &on_mouse);
    // A release anywhere ends a press begun on the canvas.
    emscripten_set_mouseup_callback(EMSCRIPTEN_EVENT_TARGET_DOCUMENT, this, false, &on_mouse);
    emscripten_set_mousemove_callback(canvas, this, false, &on_mouse);
    emscripten_set_mouseleave_callback(canvas, this, false, &on_mouse);
    for (auto set :
         {&emscripten_set_touchstart_callback_on_thread,
          &emscripten_set_touchmove_callback_on_thread, &emscripten_set_touchend_callback_on_thread,
          &emscripten_set_touchcancel_callback_on_thread})
        set(canvas, this, false, &on_touch, EM_CALLBACK_THREAD_CONTEXT_CALLING_THREAD);
    // The game takes its own keys only: reload, zoom, full screen and the rest stay the
    // browser's.
    emscripten_set_keydown_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, this, false, &on_key);
    emscripten_set_resize_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, this, false, &on_resize);
    std::string names;
    const play::KeyboardFocus& focus = director_.focus();
    for (int i = 0; i < play::KeyboardFocus::candidate_count; ++i) {
        const runtime::Element& e = focus.candidate(i);
        names += (e.kind() == runtime::ElementKind::Label ? e.caption() : e.tool_tip()) + "\n";
    }
    names.pop_back();
    page_game_started(this, names.c_str());
    page_sound_ready(this, director_.muted());
    mirror();
    wake_at(director_.deadline());  // a switch's first step
}

std::optional<scene::Point> PageHost::design_point(double page_x, double page_y) const {
    const scene::Point at = canvas_.from_page(page_x, page_y);
    return viewport_.to_design(at.x, at.y);
}

void PageHost::pointer(Pointer what, double page_x, double page_y) {
    run([&](std::uint64_t now) {
        switch (what) {
            case Pointer::Moved:
                return director_.pointer_moved(design_point(page_x, page_y), now);
            case Pointer::Pressed:
                pressed_ = true;
                return director_.pointer_pressed(design_point(page_x, page_y), now);
            case Pointer::Released:
                if (!std::exchange(pressed_, false)) return play::Answer{};  // begun elsewhere
                return director_.pointer_released(design_point(page_x, page_y), now);
            default:
                return director_.pointer_left(now);
        }
    });
}

bool PageHost::key(const play::KeyPress& key) {
    if (stopped_ || !director_.takes_key(key)) return false;
    run([&](std::uint64_t now) { return director_.key(key, now); });
    return true;  // taken: the browser does not also move its own focus or scroll
}

void PageHost::from_page(bool click, int position) {
    run([&](std::uint64_t now) {
        return click ? director_.page_click(position, now) : director_.page_focus(position, now);
    });
}

void PageHost::hear_again() {
    run([&](std::uint64_t now) { return director_.hear_exercise(now); });
}

bool PageHost::toggle_sound() {
    if (stopped_) return true;
    run([&](std::uint64_t now) { return director_.toggle_mute(now); });
    return director_.muted();
}

void PageHost::resized() {
    if (stopped_ || !canvas_.fit_page()) return;
    painter_.forget_frame();  // a canvas given a size is blank
    repaint();
}

void PageHost::timeout() {
    timer_ = 0;
    run([&](std::uint64_t now) { return director_.time_passed(now); });
}

template <class Step>
void PageHost::run(Step&& step) {
    if (stopped_) return;
    try {
        const std::uint64_t now = now_ms();
        play::Answer answer;
        try {
            answer = step(now);
        } catch (const runtime::RuntimeError&) {
            repaint();  // the steps done before the error stay done, and are seen
            throw;
        }
        follow(answer, now);
    } catch (const runtime::RuntimeError& error) {
        std::fprintf(stderr, "Bolvenda: run-time error %d: %s\n", error.number(),
                     error.message().c_str());
        stop("Errore di run-time '" + std::to_string(error.number()) + "':\n\n" + error.message());
        return;
    } catch (const std::exception& error) {
        // Whatever stopped the game, the page says so, and nothing more is delivered.
        std::fprintf(stderr, "Bolvenda: unexpected failure: %s\n", error.what());
        stop(unexpected_failure);
        return;
    } catch (...) {
        std::fprintf(stderr, "Bolvenda: unexpected failure\n");
        stop(unexpected_failure);
        return;
    }
    if (director_.ended()) {
        stop("");
        return;
    }
    std::optional<std::uint64_t> due = director_.deadline();
    if (auto quiet = audio_.deadline(); quiet && (!due || *quiet < *due)) due = quiet;
    wake_at(due);
    if (director_.shown_version() != mirrored_) mirror();
}

void PageHost::follow(const play::Answer& answer, std::uint64_t now) {
    if (answer.cursor) canvas_.set_cursor(*answer.cursor);
    if (answer.open_sound) audio_.prepare(now);
    for (const scene::SoundPlan& plan : answer.sounds) audio_.play(plan, now);
    audio_.time_passed(now);
    if (answer.repaint && !director_.ended()) repaint();
}

void PageHost::repaint() {
    const std::optional<render::PixelView> frame = canvas_.frame();
    if (!frame) {
        core_.scene().changes().take();  // nothing to draw on: the next size is painted whole
        return;
    }
    const scene::Viewport viewport = scene::Viewport::fit(frame->width, frame->height);
    const std::vector<const runtime::Element*> changed = core_.scene().changes().take();
    std::vector<scene::Rect> damage;
    try {
        damage = painter_.paint(director_.layout(), viewport, *frame, changed, director_.tooltip(),
                                director_.overlays());
    } catch (const render::StartupError& e) {
        std::fprintf(stderr, "Bolvenda: cannot draw the page at %d x %d (%s)\n", frame->width,
                     frame->height, e.what());
        painter_.forget_frame();
        return;
    } catch (const std::bad_alloc&) {
        painter_.forget_frame();
        return;
    }
    viewport_ = viewport;
    canvas_.show(damage);
}

// The page told what the scene shows now.
void PageHost::mirror() {
    mirrored_ = director_.shown_version();
    const scene::SceneWords words = scene::words_of(core_.scene());
    const play::KeyboardFocus& focus = director_.focus();
    int responding = 0;
    for (int i = 0; i < play::KeyboardFocus::candidate_count; ++i)
        if (focus.focusable(i)) responding |= 1 << i;
    page_mirror(words.exercise.c_str(), words.score.c_str(), words.verdict.c_str(), responding,
                focus.focused_position().value_or(-1), focus.ring_shown());
}

void PageHost::wake_at(std::optional<std::uint64_t> due) {
    if (due == timer_due_ && timer_ != 0) return;
    if (timer_ != 0) emscripten_clear_timeout(timer_);
    timer_ = 0;
    timer_due_ = due;
    if (!due) return;
    const std::uint64_t now = now_ms();
    timer_ = emscripten_set_timeout(&on_timeout, *due > now ? double(*due - now) : 0.0, this);
}

void PageHost::stop(const std::string& message) {
    stopped_ = true;
    wake_at(std::nullopt);
    page_game_stopped(message.c_str());
}

}  // namespace bolvenda::web

// The page's buttons, pressed or focused; host is the one the page was given at the start.
extern "C" EMSCRIPTEN_KEEPALIVE void bolvenda_page_focus(void* host, int position) {
    static_cast<bolvenda::web::PageHost*>(host)->from_page(false, position);
}
extern "C" EMSCRIPTEN_KEEPALIVE void bolvenda_page_click(void* host, int position) {
    static_cast<bolvenda::web::PageHost*>(host)->from_page(true, position);
}
extern "C" EMSCRIPTEN_KEEPALIVE void bolvenda_page_hear_again(void* host) {
    static_cast<bolvenda::web::PageHost*>(host)->hear_again();
}
extern "C" EMSCRIPTEN_KEEPALIVE int bolvenda_toggle_sound(void* host) {
    return static_cast<bolvenda::web::PageHost*>(host)->toggle_sound() ? 1 : 0;
}
// The sound files arrived: the page holds their size bytes in Module.soundBytes.
extern "C" EMSCRIPTEN_KEEPALIVE void bolvenda_sounds_arrived(void* host, int size) {
    if (size <= 0) return;
    bolvenda::web::SoundFiles& files = static_cast<bolvenda::web::PageHost*>(host)->sound_files();
    take_sound_bytes(files.room(static_cast<std::size_t>(size)).data(), size);
    files.arrived();
}
