// Bolvenda in a browser page: the page's host started, then main() returns with the runtime
// alive; the page's events drive the game from then on, and between them nothing runs but one
// timeout while something is due, so an idle page costs nothing.
#include <emscripten.h>

#include <cstdio>
#include <exception>
#include <memory>

#include "app/command_line.hpp"
#include "platform/web/page_host.hpp"
#include "render/startup_error.hpp"

EM_JS(void, page_cannot_start, (const char* message), {
    if (Module.gameStopped) Module.gameStopped(UTF8ToString(message));
});

int main(int argc, char** argv) {
    using namespace bolvenda;
    constexpr const char* unexpected_failure = "Bolvenda si è fermato per un errore imprevisto.";
    try {
        // The page's choices come as the desktop's options (?scan: --scan).
        const app::CommandLine command = app::parse_command_line(argc, argv);
        // Lives as long as the page: events keep arriving after main() has returned.
        auto host = std::make_unique<web::PageHost>(command.scan_ms);
        host->start();
        host.release();
        return 0;
    } catch (const render::StartupError& error) {
        std::fprintf(stderr, "Bolvenda: %s\n", error.what());
        page_cannot_start(error.italian().c_str());
    } catch (const std::exception& error) {
        std::fprintf(stderr, "Bolvenda: unexpected failure: %s\n", error.what());
        page_cannot_start(unexpected_failure);
    } catch (...) {
        std::fprintf(stderr, "Bolvenda: unexpected failure\n");
        page_cannot_start(unexpected_failure);
    }
    return 1;
}
