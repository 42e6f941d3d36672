#include "scene/view/x11_errors.hpp"

#if defined(BOLVENDA_HAS_X11)
#include <X11/Xlib.h>
#include <X11/Xproto.h>

#include <cstdio>
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

}  // namespace

void install_x11_error_handler() { XSetErrorHandler(on_x11_error); }

#else

void install_x11_error_handler() {}

#endif

}  // namespace bolvenda::view
