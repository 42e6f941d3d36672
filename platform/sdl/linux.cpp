// The platform on Linux: glibc's allocator, Xlib's error handlers, X11's destroy events.
// SDL may run on Wayland here too; what is X11's only acts where SDL uses X11.
#include <SDL_syswm.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xproto.h>
#include <malloc.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/sdl/system.hpp"
#include "runtime/local_time.hpp"
#include "scene/layout.hpp"

namespace bolvenda::sdl::system {

namespace {

// SDL wakes its event wait by sending itself a message through a second connection; when the
// window closes at End that message can reach the server after the window is gone: a harmless
// BadWindow that Xlib's default handler would turn into exit status 1. Any other error is
// reported without ending the game.
int on_x11_error(Display* display, XErrorEvent* error) {
    if (error->error_code == BadWindow && error->request_code == X_SendEvent) return 0;
    char text[256] = {};
    XGetErrorText(display, error->error_code, text, sizeof text);
    std::fprintf(stderr, "Bolvenda: X11 error ignored: %s (request %d)\n", text,
                 error->request_code);
    return 0;
}

// The connection to the display is gone. Xlib lets no request succeed after this, and
// returning would only make it call exit(), which runs the atexit handlers of libraries that
// would talk to the dead connection again. One line, and out at once.
int on_x11_connection_lost(Display*) {
    static constexpr char line[] =
        "Bolvenda: the display went away (the connection to the X server was lost)\n";
    ssize_t ignored = write(STDERR_FILENO, line, sizeof line - 1);
    (void)ignored;
    _exit(EXIT_FAILURE);
}

// Whether a window manager that grants full screen runs on this screen: one that says so on
// the root window, as the desktop's conventions ask (_NET_SUPPORTED naming
// _NET_WM_STATE_FULLSCREEN, beside its _NET_SUPPORTING_WM_CHECK window).
bool manager_grants_fullscreen(Display* display, Window root) {
    auto property = [&](const char* name, Atom type, std::vector<Atom>& out) {
        Atom actual = None;
        int format = 0;
        unsigned long count = 0, after = 0;
        unsigned char* data = nullptr;
        const bool read =
            XGetWindowProperty(display, root, XInternAtom(display, name, False), 0, 4096, False,
                               type, &actual, &format, &count, &after, &data) == Success &&
            data != nullptr && format == 32;
        if (read) {
            const auto* values = reinterpret_cast<const long*>(data);  // Xlib's 32-bit format
            for (unsigned long i = 0; i < count; ++i) out.push_back(static_cast<Atom>(values[i]));
        }
        if (data != nullptr) XFree(data);
    };
    std::vector<Atom> check, supported;
    property("_NET_SUPPORTING_WM_CHECK", XA_WINDOW, check);
    if (check.empty()) return false;
    property("_NET_SUPPORTED", XA_ATOM, supported);
    const Atom fullscreen = XInternAtom(display, "_NET_WM_STATE_FULLSCREEN", False);
    return std::find(supported.begin(), supported.end(), fullscreen) != supported.end();
}

// SDL connects to the session's message bus as it starts (for input methods and the screen
// saver, neither of which the game needs). Where the session has none, libdbus forks a child
// to run dbus-launch, which would leave a bus daemon behind the game; and a fork while the
// start-up thread works may hang the child, and the game with it, before its window opens.
// libdbus's own places for a bus are kept; elsewhere an address no bus answers at makes it
// give up at once.
void keep_from_launching_a_bus() {
    const char* address = std::getenv("DBUS_SESSION_BUS_ADDRESS");
    if (address != nullptr && *address != '\0') return;
    if (const char* runtime = std::getenv("XDG_RUNTIME_DIR");
        runtime != nullptr && *runtime != '\0') {
        struct stat bus {};
        if (stat((std::string(runtime) + "/bus").c_str(), &bus) == 0 && S_ISSOCK(bus.st_mode))
            return;
    }
    setenv("DBUS_SESSION_BUS_ADDRESS", "disabled:", 1);
}

}  // namespace

void prepare_process() {
    // One malloc arena: a second one, made for the start-up thread, would keep its freed
    // decoding buffers resident for the whole game (about a megabyte).
    mallopt(M_ARENA_MAX, 1);
    // Layers and pictures made for one window size, freed at the next, always to and from the
    // system: glibc would otherwise raise its threshold and keep them in a heap that a long
    // session of resizes leaves fragmented and growing.
    mallopt(M_MMAP_THRESHOLD, 256 * 1024);
    // The game takes no text input, yet Xlib's input method would read the locale's whole
    // Compose table (half a megabyte, twice) while SDL starts. A user's own choice stands.
    setenv("XCOMPOSEFILE", "/dev/null", 0);
    // The window class the desktop's menu entry names, so that the running window joins its
    // icon. SDL 2.26 reads it from the environment when video starts; one the user set stays.
    setenv("SDL_VIDEO_X11_WMCLASS", BOLVENDA_APP_ID, 0);
    setenv("SDL_VIDEO_WAYLAND_WMCLASS", BOLVENDA_APP_ID, 0);
    keep_from_launching_a_bus();
}

void release_startup_memory() {
    // glibc keeps freed memory for later; hand it back, so the game holds only what it shows.
    malloc_trim(0);
}

bool has_threads() { return true; }

FirstWindow first_window() {
    return {scene::design_width, scene::design_height, SDL_WINDOW_RESIZABLE};
}

void window_mode_changed(SDL_Window& window, int windowed_width, int windowed_height) {
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!SDL_GetWindowWMInfo(&window, &info) || info.subsystem != SDL_SYSWM_X11) return;
    Display* display = info.info.x11.display;
    const Window xwindow = info.info.x11.window;
    XWindowAttributes attributes;
    if (XGetWindowAttributes(display, xwindow, &attributes) == 0) return;
    if (manager_grants_fullscreen(display, attributes.root)) return;
    // SDL takes the display's size for full screen and draws for it, and learns the size back
    // from the server only when the window changes: nothing else changes it here.
    SDL_Rect place{0, 0, windowed_width, windowed_height};
    if ((SDL_GetWindowFlags(&window) & SDL_WINDOW_FULLSCREEN) != 0) {
        if (SDL_GetDisplayBounds(SDL_GetWindowDisplayIndex(&window), &place) != 0) return;
    } else {
        SDL_GetWindowPosition(&window, &place.x, &place.y);
    }
    if (place.w <= 0 || place.h <= 0) return;
    XMoveResizeWindow(display, xwindow, place.x, place.y, static_cast<unsigned>(place.w),
                      static_cast<unsigned>(place.h));
    XRaiseWindow(display, xwindow);
    XFlush(display);
}

void handle_display_errors() {
    // Before SDL starts, so that it keeps ours as the previous handlers.
    XSetErrorHandler(on_x11_error);
    XSetIOErrorHandler(on_x11_connection_lost);
}

bool display_named() {
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY"}) {
        const char* value = std::getenv(name);
        if (value != nullptr && *value != '\0') return true;
    }
    return false;
}

void watch_window(SDL_Window&) {
    // Raw X events, to notice the window being destroyed by another program: SDL does not.
    SDL_EventState(SDL_SYSWMEVENT, SDL_ENABLE);
}

bool window_destroyed_by(SDL_Window& window, const SDL_Event& event) {
    if (event.type != SDL_SYSWMEVENT || event.syswm.msg == nullptr ||
        event.syswm.msg->subsystem != SDL_SYSWM_X11)
        return false;
    const XEvent& x = event.syswm.msg->msg.x11.event;
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (x.type != DestroyNotify || !SDL_GetWindowWMInfo(&window, &info)) return false;
    return info.subsystem == SDL_SYSWM_X11 && x.xdestroywindow.window == info.info.x11.window;
}

// The desktops' own switches reach no program through SDL or X11.
PointerLimits pointer_limits() {
    // X servers take any size of ARGB pointer; beyond 256 one would only hide the scene.
    return {256, 1.0};
}

bool animations_wanted() { return true; }

double seconds_since_midnight() {
    return runtime::seconds_since_midnight_with(
        [](const std::time_t& t, std::tm& local) { localtime_r(&t, &local); });
}

}  // namespace bolvenda::sdl::system
