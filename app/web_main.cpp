// Bolvenda in a browser page: the desktop's session, fed by SDL's DOM callbacks instead of a
// wait loop. main() returns with the runtime alive; between events nothing runs but one
// timeout while a tooltip is due, so an idle page costs nothing. The page mirrors the scene
// for a screen reader (index.html): told after each event that changed what it shows, and
// its buttons click and focus through the session as the keys do.
#include <SDL.h>
#include <emscripten.h>
#include <emscripten/eventloop.h>
#include <emscripten/html5.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <memory>
#include <optional>
#include <string>
#include <utility>

#include "app/command_line.hpp"
#include "game/game_core.hpp"
#include "platform/sdl/game_window.hpp"
#include "platform/sdl/sdl_library.hpp"
#include "platform/sdl/session.hpp"
#include "platform/sdl/system.hpp"
#include "play/keyboard_focus.hpp"
#include "render/painter.hpp"
#include "render/picture_set.hpp"
#include "render/startup_error.hpp"
#include "render/text_renderer.hpp"
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

namespace {

using namespace bolvenda;

constexpr const char* unexpected_failure = "Bolvenda si è fermato per un errore imprevisto.";

class WebHost {
  public:
    explicit WebHost(int scan_ms)
        : core_(clock_),
          labels_(assets::typeface(assets::Typeface::Bold)),
          tips_(assets::typeface(assets::Typeface::Regular)),
          painter_(pictures_, labels_, tips_),
          session_(core_, window_, painter_, sdl::system::animations_wanted(), scan_ms) {}

    // The page's button for the focus order's element at `position` took the page's focus,
    // or was pressed.
    void from_page(bool click, int position) {
        run([&] {
            if (click)
                session_.click_from_page(position);
            else
                session_.focus_from_page(position);
        });
    }

    void start() {
        fit_page();
        session_.start();
        SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);  // start() has painted what they ask
        SDL_SetEventFilter(&WebHost::on_event, this);
        // The game takes its own keys only, where SDL would keep every key from the browser:
        // reload, zoom, full screen and the rest stay the browser's.
        // (A new callback is added beside SDL's; only taking it away first replaces it.)
        emscripten_set_keydown_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, nullptr, false, nullptr);
        emscripten_set_keydown_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, this, false,
                                        &WebHost::on_key);
        emscripten_set_keyup_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, nullptr, false, nullptr);
        emscripten_set_keypress_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, nullptr, false, nullptr);
        emscripten_set_resize_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, this, false,
                                       &WebHost::on_resize);
        std::string names;
        const play::KeyboardFocus& focus = session_.focus();
        for (int i = 0; i < play::KeyboardFocus::candidate_count; ++i) {
            const runtime::Element& e = focus.candidate(i);
            names += (e.kind() == runtime::ElementKind::Label ? e.caption() : e.tool_tip()) + "\n";
        }
        names.pop_back();
        page_game_started(this, names.c_str());
        page_sound_ready(this, session_.muted());
        mirror();
        wake_at(session_.deadline());  // a switch's first step
    }

    // The sounds off or on again; returns whether they are off now.
    bool toggle_sound() {
        if (stopped_) return true;
        session_.toggle_mute();
        wake_at(session_.deadline());  // the device's closing follows the change
        return session_.muted();
    }

  private:
    // The window fills the page in device pixels, shown at the page's size: sharp at any
    // pixel ratio. SDL maps pointer positions from the page's size to the window's.
    void fit_page() {
        double css_w = 0, css_h = 0;
        emscripten_get_element_css_size("#canvas", &css_w, &css_h);
        const double ratio = emscripten_get_device_pixel_ratio();
        const int w = static_cast<int>(std::lround(css_w * ratio));
        const int h = static_cast<int>(std::lround(css_h * ratio));
        int now_w = 0, now_h = 0;
        SDL_GetWindowSize(window_.handle(), &now_w, &now_h);
        // Setting a canvas's size clears it even where the size stays; only a change repaints.
        if (w != now_w || h != now_h) SDL_SetWindowSize(window_.handle(), w, h);
    }

    // Every event is handled as SDL posts it, and not queued: nobody would take it out.
    static int on_event(void* self, SDL_Event* event) {
        static_cast<WebHost*>(self)->deliver(event);
        return 0;
    }

    static EM_BOOL on_resize(int, const EmscriptenUiEvent*, void* self) {
        auto* host = static_cast<WebHost*>(self);
        if (!host->stopped_) host->fit_page();  // its size event comes back through on_event
        return EM_FALSE;
    }

    // The browser's key names for the keys the game knows; any other is a switch's key.
    static SDL_Keycode keycode(const EmscriptenKeyboardEvent& e) {
        const std::string key = e.key;
        static constexpr std::pair<const char*, SDL_Keycode> known[] = {
            {"Tab", SDLK_TAB},
            {"ArrowLeft", SDLK_LEFT},
            {"ArrowRight", SDLK_RIGHT},
            {"Home", SDLK_HOME},
            {"End", SDLK_END},
            {"Enter", SDLK_RETURN},
            {" ", SDLK_SPACE},
            {"Shift", SDLK_LSHIFT},
            {"Control", SDLK_LCTRL},
            {"Alt", SDLK_LALT},
            {"Meta", SDLK_LGUI},
            {"CapsLock", SDLK_CAPSLOCK},
            {"NumLock", SDLK_NUMLOCKCLEAR}};
        for (const auto& [name, code] : known)
            if (key == name) return code;
        if (key.size() >= 2 && key.size() <= 3 && key[0] == 'F' && key[1] >= '1' && key[1] <= '9') {
            const int n = std::atoi(key.c_str() + 1);
            if (n >= 1 && n <= 12) return SDLK_F1 + (n - 1);
        }
        return SDLK_UNKNOWN;
    }

    static EM_BOOL on_key(int, const EmscriptenKeyboardEvent* e, void* self) {
        auto* host = static_cast<WebHost*>(self);
        if (host->stopped_) return EM_FALSE;
        SDL_Event event{};
        event.type = SDL_KEYDOWN;
        event.key.windowID = host->window_.id();
        event.key.state = SDL_PRESSED;
        event.key.repeat = e->repeat ? 1 : 0;
        event.key.keysym.sym = keycode(*e);
        event.key.keysym.mod =
            static_cast<Uint16>((e->shiftKey ? KMOD_SHIFT : 0) | (e->ctrlKey ? KMOD_CTRL : 0) |
                                (e->altKey ? KMOD_ALT : 0) | (e->metaKey ? KMOD_GUI : 0));
        if (!host->session_.takes_key(event.key.keysym.sym, event.key.keysym.mod)) return EM_FALSE;
        host->deliver(&event);
        return EM_TRUE;  // taken: the browser does not also move its own focus or scroll
    }

    static void on_timeout(void* self) {
        auto* host = static_cast<WebHost*>(self);
        host->timer_ = 0;
        host->deliver(nullptr);
    }

    void deliver(const SDL_Event* event) {
        run([&] { session_.dispatch(event); });
    }

    template <class Step>
    void run(Step&& step) {
        if (stopped_) return;
        try {
            step();
        } catch (const runtime::RuntimeError& error) {
            std::fprintf(stderr, "Bolvenda: run-time error %d: %s\n", error.number(),
                         error.message().c_str());
            stop("Errore di run-time '" + std::to_string(error.number()) + "':\n\n" +
                 error.message());
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
        if (session_.ended()) {
            stop("");
            return;
        }
        wake_at(session_.deadline());
        if (session_.shown_version() != mirrored_) mirror();
    }

    // The page told what the scene shows now.
    void mirror() {
        mirrored_ = session_.shown_version();
        const scene::SceneWords words = scene::words_of(core_.scene());
        const play::KeyboardFocus& focus = session_.focus();
        int responding = 0;
        for (int i = 0; i < play::KeyboardFocus::candidate_count; ++i)
            if (focus.focusable(i)) responding |= 1 << i;
        page_mirror(words.exercise.c_str(), words.score.c_str(), words.verdict.c_str(), responding,
                    focus.focused_position().value_or(-1), focus.ring_shown());
    }

    void wake_at(std::optional<std::uint64_t> due) {
        if (due == timer_due_ && timer_ != 0) return;
        if (timer_ != 0) emscripten_clear_timeout(timer_);
        timer_ = 0;
        timer_due_ = due;
        if (!due) return;
        const std::uint64_t now = SDL_GetTicks64();
        timer_ = emscripten_set_timeout(&WebHost::on_timeout, *due > now ? double(*due - now) : 0.0,
                                        this);
    }

    void stop(const std::string& message) {
        stopped_ = true;
        wake_at(std::nullopt);
        SDL_SetEventFilter(nullptr, nullptr);
        page_game_stopped(message.c_str());
    }

    sdl::VideoLibrary video_;
    sdl::SystemClock clock_;
    game::GameCore core_;
    render::PictureSet pictures_;
    render::TextRenderer labels_;
    render::TextRenderer tips_;
    render::Painter painter_;
    sdl::GameWindow window_;
    sdl::Session session_;
    bool stopped_ = false;
    std::uint64_t mirrored_ = 0;
    long timer_ = 0;
    std::optional<std::uint64_t> timer_due_;
};

}  // namespace

// The page's buttons, pressed or focused; host is the one the page was given at the start.
extern "C" EMSCRIPTEN_KEEPALIVE void bolvenda_page_focus(void* host, int position) {
    static_cast<WebHost*>(host)->from_page(false, position);
}
extern "C" EMSCRIPTEN_KEEPALIVE void bolvenda_page_click(void* host, int position) {
    static_cast<WebHost*>(host)->from_page(true, position);
}
extern "C" EMSCRIPTEN_KEEPALIVE int bolvenda_toggle_sound(void* host) {
    return static_cast<WebHost*>(host)->toggle_sound() ? 1 : 0;
}

int main(int argc, char** argv) {
    try {
        // The page's choices come as the desktop's options (?scan: --scan).
        const app::CommandLine command = app::parse_command_line(argc, argv);
        // Lives as long as the page: events keep arriving after main() has returned.
        auto host = std::make_unique<WebHost>(command.scan_ms);
        host->start();
        host.release();
        return 0;
    } catch (const render::StartupError& error) {
        std::fprintf(stderr, "Bolvenda: %s\n", error.what());
        page_game_stopped(error.italian().c_str());
    } catch (const std::exception& error) {
        std::fprintf(stderr, "Bolvenda: unexpected failure: %s\n", error.what());
        page_game_stopped(unexpected_failure);
    } catch (...) {
        std::fprintf(stderr, "Bolvenda: unexpected failure\n");
        page_game_stopped(unexpected_failure);
    }
    return 1;
}
