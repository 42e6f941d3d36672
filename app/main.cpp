// Bolvenda: the game in its window. Start-up failures are said once, in Italian in a box
// where one can be shown and in English on stderr, and end with a non-zero status.
#include <SDL.h>

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string>

#include "app/command_line.hpp"
#include "app/painter_startup.hpp"
#include "game/game_core.hpp"
#include "platform/sdl/game_window.hpp"
#include "platform/sdl/sdl_library.hpp"
#include "platform/sdl/session.hpp"
#include "platform/sdl/system.hpp"
#include "render/startup_error.hpp"
#include "runtime/runtime_error.hpp"

namespace {

using namespace bolvenda;

constexpr const char* unexpected_failure = "Bolvenda si è fermato per un errore imprevisto.";

void show_box(const std::string& text, SDL_Window* parent) {
    SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, "Bolvenda", text.c_str(), parent);
}

int play_game(const app::CommandLine& command) {
    sdl::system::prepare_process();  // before the second thread starts
    sdl::SystemClock clock;
    game::GameCore core(clock);
    // The fonts and pictures are made ready for the design size meanwhile, which is the size
    // the window opens at (in full screen they are scaled again for the first frame).
    app::PainterStartup startup(core.scene(), scene::Viewport());
    sdl::VideoLibrary video;
    sdl::GameWindow window(command.fullscreen);
    sdl::Session session(core, window, startup.painter(),
                         command.animation && sdl::system::animations_wanted(), command.scan_ms,
                         command.sound);
    try {
        session.run();
    } catch (const runtime::RuntimeError& error) {
        // As the runtime reports an error no handler catches: its number and message, then End.
        std::fprintf(stderr, "Bolvenda: run-time error %d: %s\n", error.number(),
                     error.message().c_str());
        show_box(
            "Errore di run-time '" + std::to_string(error.number()) + "':\n\n" + error.message(),
            window.handle());
        return EXIT_FAILURE;
    }
    return EXIT_SUCCESS;
}

}  // namespace

int main(int argc, char** argv) {
    const app::CommandLine command = app::parse_command_line(argc, argv);
    // Where there is no standard error (a Windows program started from its icon) the line
    // goes nowhere, and the game plays.
    std::fputs(app::notice(command).c_str(), stderr);
    if (auto reply = app::reply_without_window(command)) {
        std::fputs(reply->out.c_str(), stdout);
        return reply->status;
    }
    try {
        return play_game(command);
    } catch (const render::StartupError& error) {
        std::fprintf(stderr, "Bolvenda: %s\n", error.what());
        show_box(error.italian(), nullptr);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "Bolvenda: unexpected failure: %s\n", error.what());
        show_box(unexpected_failure, nullptr);
    } catch (...) {
        // Said as any other failure rather than left to end the process with no word.
        std::fputs("Bolvenda: unexpected failure\n", stderr);
        show_box(unexpected_failure, nullptr);
    }
    return EXIT_FAILURE;
}
