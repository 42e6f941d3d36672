// Bolvenda in a browser page: the desktop's session, fed by SDL's DOM callbacks instead of a
// wait loop. main() returns with the runtime alive; between events nothing runs but one
// timeout while a tooltip is due, so an idle page costs nothing.
#include <SDL.h>
#include <emscripten.h>
#include <emscripten/eventloop.h>
#include <emscripten/html5.h>

#include <cmath>
#include <cstdio>
#include <exception>
#include <memory>
#include <optional>
#include <string>

#include "app/session.hpp"
#include "game/game_core.hpp"
#include "runtime/runtime_error.hpp"
#include "scene/assets/assets.hpp"
#include "scene/view/game_window.hpp"
#include "scene/view/painter.hpp"
#include "scene/view/picture_set.hpp"
#include "scene/view/platform.hpp"
#include "scene/view/sdl_library.hpp"
#include "scene/view/startup_error.hpp"
#include "scene/view/text_renderer.hpp"

// The page (index.html) shows what became of the game; a page cannot close its own tab.
EM_JS(void, page_game_started, (), {
    if (Module.gameStarted) Module.gameStarted();
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
    WebHost()
        : core_(clock_),
          labels_(assets::typeface(assets::Typeface::Bold)),
          tips_(assets::typeface(assets::Typeface::Regular)),
          painter_(pictures_, labels_, tips_),
          session_(core_, window_, painter_, view::platform::animations_wanted()) {}

    void start() {
        fit_page();
        session_.start();
        SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);  // start() has painted what they ask
        SDL_SetEventFilter(&WebHost::on_event, this);
        // The game takes no keys, and SDL would keep every key from the browser: reload, zoom,
        // full screen and the rest stay the browser's.
        emscripten_set_keydown_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, nullptr, false, nullptr);
        emscripten_set_keyup_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, nullptr, false, nullptr);
        emscripten_set_keypress_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, nullptr, false, nullptr);
        emscripten_set_resize_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, this, false,
                                       &WebHost::on_resize);
        page_game_started();
        page_sound_ready(this, session_.muted());
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

    static void on_timeout(void* self) {
        auto* host = static_cast<WebHost*>(self);
        host->timer_ = 0;
        host->deliver(nullptr);
    }

    void deliver(const SDL_Event* event) {
        if (stopped_) return;
        try {
            session_.dispatch(event);
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

    view::VideoLibrary video_;
    view::SystemClock clock_;
    game::GameCore core_;
    view::PictureSet pictures_;
    view::TextRenderer labels_;
    view::TextRenderer tips_;
    view::Painter painter_;
    view::GameWindow window_;
    app::Session session_;
    bool stopped_ = false;
    long timer_ = 0;
    std::optional<std::uint64_t> timer_due_;
};

}  // namespace

extern "C" EMSCRIPTEN_KEEPALIVE int bolvenda_toggle_sound(void* host) {
    return static_cast<WebHost*>(host)->toggle_sound() ? 1 : 0;
}

int main(int, char**) {
    try {
        // Lives as long as the page: events keep arriving after main() has returned.
        auto host = std::make_unique<WebHost>();
        host->start();
        host.release();
        return 0;
    } catch (const view::StartupError& error) {
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
