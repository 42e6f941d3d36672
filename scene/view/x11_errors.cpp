#include "scene/view/x11_errors.hpp"

#if defined(BOLVENDA_HAS_X11)
#include <X11/Xlib.h>
#include <X11/Xproto.h>

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#endif

namespace bolvenda::view {

#if defined(BOLVENDA_HAS_X11)

namespace {

int on_x11_error(Display* display, XErrorEvent* error) {
    if (error->error_code == BadWindow && error->request_code == X_SendEvent) return 0;
    char text[256] = {};
    XGetErrorText(display, error->error_code, text, sizeof text);
    std::fprintf(stderr, "Bolvenda: X11 error ignored: %s (request %d)\n", text, error->request_code);
    return 0;
}

// The connection to the display is gone (the X server ended or dropped us). Xlib lets no
// request succeed after this, and returning would only make it call exit(), which runs the
// atexit handlers of libraries that would talk to the dead connection again. One line, and
// out at once: there is nothing left to save or close.
int on_x11_connection_lost(Display*) {
    static constexpr char line[] = "Bolvenda: the display went away (the connection to the X server was lost)\n";
    ssize_t ignored = write(STDERR_FILENO, line, sizeof line - 1);
    (void)ignored;
    _exit(EXIT_FAILURE);
}

}  // namespace

void install_x11_error_handler() {
    XSetErrorHandler(on_x11_error);
    XSetIOErrorHandler(on_x11_connection_lost);
}

#else

void install_x11_error_handler() {}

#endif

}  // namespace bolvenda::view
