// first_frame -- PROGRAM [ARGS...]
//
// Starts a program on $DISPLAY (a private X server with no other windows) and reports, on one
// line: the milliseconds from the spawn until its first top-level window is viewable and shows
// a pixel that is not black; the clock ticks of CPU the window's owner (its _NET_WM_PID, so a
// wrapper such as /usr/bin/time may stand between) used in three idle seconds after that; and
// its exit code once the window was asked to close with WM_DELETE_WINDOW; and the owner's
// resident memory right after the first frame, split into anonymous memory (heap, buffers),
// shared memory (the window's X shared-memory picture) and file pages (code, libraries).
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <thread>

#include "tests/support/process_figures.hpp"

namespace {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

int ignore_error(Display*, XErrorEvent*) { return 0; }

std::optional<Window> viewable_top_level(Display* display) {
    Window root = DefaultRootWindow(display), parent = None, *children = nullptr;
    unsigned int count = 0;
    if (XQueryTree(display, root, &root, &parent, &children, &count) == 0) return std::nullopt;
    std::optional<Window> found;
    for (unsigned int i = 0; i < count && !found; ++i) {
        XWindowAttributes a;
        if (XGetWindowAttributes(display, children[i], &a) != 0 && a.map_state == IsViewable &&
            a.c_class == InputOutput)
            found = children[i];
    }
    if (children != nullptr) XFree(children);
    return found;
}

bool shows_something(Display* display, Window window) {
    XWindowAttributes a;
    if (XGetWindowAttributes(display, window, &a) == 0 || a.map_state != IsViewable) return false;
    XImage* image = XGetImage(display, window, 0, 0, a.width, a.height, AllPlanes, ZPixmap);
    if (image == nullptr) return false;
    bool lit = false;
    for (int y = 0; y < a.height && !lit; y += 7)
        for (int x = 0; x < a.width && !lit; x += 7) lit = XGetPixel(image, x, y) != 0;
    XDestroyImage(image);
    return lit;
}

std::optional<pid_t> owner_of(Display* display, Window window) {
    Atom type = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    Atom pid_atom = XInternAtom(display, "_NET_WM_PID", False);
    if (XGetWindowProperty(display, window, pid_atom, 0, 1, False, XA_CARDINAL, &type, &format,
                           &count, &after, &data) != Success ||
        data == nullptr)
        return std::nullopt;
    std::optional<pid_t> pid;
    if (type == XA_CARDINAL && format == 32 && count == 1)
        pid = static_cast<pid_t>(*reinterpret_cast<unsigned long*>(data));
    XFree(data);
    return pid;
}

void send_delete_window(Display* display, Window window) {
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(display, window, False, NoEventMask, &event);
    XSync(display, False);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3 || std::string(argv[1]) != "--") {
        std::fprintf(stderr, "usage: first_frame -- PROGRAM [ARGS...]\n");
        return 2;
    }
    XSetErrorHandler(ignore_error);
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        std::fprintf(stderr, "first_frame: no display\n");
        return 2;
    }
    if (viewable_top_level(display)) {
        std::fprintf(stderr, "first_frame: the display already shows a window\n");
        return 2;
    }

    const auto spawned = Clock::now();
    pid_t child = fork();
    if (child == 0) {
        setpgid(0, 0);
        execv(argv[2], argv + 2);
        _exit(127);
    }
    if (child < 0) return 2;

    std::optional<Window> window;
    const auto deadline = spawned + 30s;
    while (Clock::now() < deadline) {
        if (!window) window = viewable_top_level(display);
        if (window && shows_something(display, *window)) break;
        int status = 0;
        if (waitpid(child, &status, WNOHANG) == child) {
            std::fprintf(stderr, "first_frame: %s ended before showing a window\n", argv[2]);
            return 1;
        }
        std::this_thread::sleep_for(1ms);
    }
    const double ms = std::chrono::duration<double, std::milli>(Clock::now() - spawned).count();
    if (!window || Clock::now() >= deadline) {
        std::fprintf(stderr, "first_frame: no painted window within 30 s\n");
        kill(-child, SIGKILL);
        waitpid(child, nullptr, 0);
        return 1;
    }

    // Idle: nothing moves, nothing is exposed; the program should not run at all.
    long idle = -1;
    bolvenda::testing::ProcessFigures resident;
    if (auto owner = owner_of(display, *window)) {
        std::this_thread::sleep_for(100ms);  // the first expose answered
        resident = bolvenda::testing::process_figures(*owner);
        const long before = resident.cpu_ticks;
        std::this_thread::sleep_for(3s);
        const long after = bolvenda::testing::process_figures(*owner).cpu_ticks;
        if (before >= 0 && after >= 0) idle = after - before;
    }

    send_delete_window(display, *window);
    int status = 0;
    const auto close_deadline = Clock::now() + 10s;
    while (waitpid(child, &status, WNOHANG) != child) {
        if (Clock::now() >= close_deadline) {
            kill(-child, SIGKILL);
            waitpid(child, &status, 0);
            break;
        }
        std::this_thread::sleep_for(2ms);
    }
    const int code = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    std::printf("first_frame_ms=%.1f idle_ticks=%ld exit=%d rss_kb=%ld anon_kb=%ld shmem_kb=%ld\n",
                ms, idle, code, resident.resident_kib, resident.anonymous_kib, resident.shared_kib);
    XCloseDisplay(display);
    return 0;
}
