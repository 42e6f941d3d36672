#include "x_display.hpp"

#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/extensions/Xfixes.h>
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <bit>
#include <stdexcept>
#include <thread>

namespace bolvenda::testing {

namespace {

// A window may vanish or unmap between two requests; such errors are expected here and must
// not end the test process, as Xlib's default handler would.
int last_x_error = 0;
int record_error(Display*, XErrorEvent* event) {
    last_x_error = event->error_code;
    return 0;
}

struct XFreeDeleter {
    void operator()(void* p) const noexcept {
        if (p != nullptr) XFree(p);
    }
};

struct XImageDeleter {
    void operator()(XImage* image) const noexcept { XDestroyImage(image); }
};

std::uint32_t channel(unsigned long pixel, unsigned long mask) {
    if (mask == 0) return 0;
    const int shift = std::countr_zero(mask);
    const unsigned long max = mask >> shift;
    return static_cast<std::uint32_t>(((pixel & mask) >> shift) * 255 / max);
}

}  // namespace

XServer::XServer(const std::string& xvfb_path, bool resets) {
    int ends[2];
    if (pipe2(ends, O_CLOEXEC) != 0) throw std::runtime_error("no pipe for Xvfb");
    Launch launch;
    launch.argv = {
        xvfb_path,   "-displayfd",
        "3",         "-screen",
        "0",         std::to_string(screen_width) + "x" + std::to_string(screen_height) + "x24",
        "-nolisten", "tcp"};
    if (!resets) launch.argv.push_back("-noreset");
    launch.descriptor_3 = ends[1];
    try {
        process_ = std::make_unique<ChildProcess>(launch);
    } catch (...) {
        close(ends[0]);
        close(ends[1]);
        throw;
    }
    close(ends[1]);

    // Xvfb writes its display number once it accepts connections.
    std::string number;
    const auto deadline = std::chrono::steady_clock::now() + 15s;
    while (number.empty() || number.back() != '\n') {
        auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        pollfd p{ends[0], POLLIN, 0};
        if (left.count() <= 0 || poll(&p, 1, static_cast<int>(left.count())) <= 0) break;
        char c = 0;
        if (read(ends[0], &c, 1) != 1) break;
        number += c;
    }
    close(ends[0]);
    if (number.empty() || number.back() != '\n') {
        std::string why = process_->standard_error();
        process_.reset();
        throw std::runtime_error("Xvfb did not start: " + why);
    }
    number.pop_back();
    name_ = ":" + number;
}

XServer::~XServer() {
    if (process_) process_->stop(3s);
}

XClient::XClient(const std::string& display_name) {
    XSetErrorHandler(record_error);
    // A display that resets may drop a connection taken as its last client left: tried again.
    for (int attempt = 0; attempt < 20 && display_ == nullptr; ++attempt) {
        if (attempt > 0) std::this_thread::sleep_for(100ms);
        display_ = XOpenDisplay(display_name.c_str());
    }
    if (display_ == nullptr) throw std::runtime_error("cannot connect to display " + display_name);
    int event_base = 0, error_base = 0, major = 0, minor = 0;
    if (!XTestQueryExtension(display_, &event_base, &error_base, &major, &minor)) {
        XCloseDisplay(display_);
        throw std::runtime_error("the X server has no XTest extension");
    }
}

XClient::~XClient() { XCloseDisplay(display_); }

void XClient::sync() { XSync(display_, False); }

std::string XClient::title_of(Window window) {
    Atom net_wm_name = XInternAtom(display_, "_NET_WM_NAME", False);
    Atom utf8 = XInternAtom(display_, "UTF8_STRING", False);
    Atom type = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(display_, window, net_wm_name, 0, 1024, False, utf8, &type, &format,
                           &count, &after, &data) == Success &&
        data != nullptr) {
        std::unique_ptr<unsigned char, XFreeDeleter> owned(data);
        if (type == utf8 && format == 8) return std::string(reinterpret_cast<char*>(data), count);
    }
    char* name = nullptr;
    if (XFetchName(display_, window, &name) != 0 && name != nullptr) {
        std::unique_ptr<char, XFreeDeleter> owned(name);
        return name;
    }
    return {};
}

std::string XClient::class_of(Window window) {
    XClassHint hint{};
    if (XGetClassHint(display_, window, &hint) == 0) return {};
    std::string name = hint.res_class != nullptr ? hint.res_class : "";
    XFree(hint.res_name);
    XFree(hint.res_class);
    return name;
}

std::optional<WindowState> XClient::state_of(Window window) {
    last_x_error = 0;
    XWindowAttributes attributes;
    if (XGetWindowAttributes(display_, window, &attributes) == 0 || last_x_error != 0)
        return std::nullopt;
    WindowState state;
    state.width = attributes.width;
    state.height = attributes.height;
    state.viewable = attributes.map_state == IsViewable;
    Window child = None;
    if (!XTranslateCoordinates(display_, window, DefaultRootWindow(display_), 0, 0, &state.root_x,
                               &state.root_y, &child) ||
        last_x_error != 0)
        return std::nullopt;
    return state;
}

std::optional<Window> XClient::viewable_window_titled(std::string_view title) {
    Window root = DefaultRootWindow(display_), parent = None;
    Window* children = nullptr;
    unsigned int count = 0;
    last_x_error = 0;
    if (XQueryTree(display_, root, &root, &parent, &children, &count) == 0) return std::nullopt;
    std::unique_ptr<Window, XFreeDeleter> owned(children);
    for (unsigned int i = 0; i < count; ++i) {
        Window window = children[i];
        // A window manager puts each window into a frame of its own.
        if (title_of(window) != title && !(window = framed_window_titled(window, title))) continue;
        auto state = state_of(window);
        if (state && state->viewable) return window;
    }
    return std::nullopt;
}

Window XClient::framed_window_titled(Window frame, std::string_view title) {
    Window root = None, parent = None;
    Window* children = nullptr;
    unsigned int count = 0;
    if (XQueryTree(display_, frame, &root, &parent, &children, &count) == 0) return None;
    std::unique_ptr<Window, XFreeDeleter> owned(children);
    for (unsigned int i = 0; i < count; ++i)
        if (title_of(children[i]) == title) return children[i];
    return None;
}

bool XClient::has_window_manager() {
    Atom check = XInternAtom(display_, "_NET_SUPPORTING_WM_CHECK", False);
    Atom type = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    bool found =
        XGetWindowProperty(display_, DefaultRootWindow(display_), check, 0, 1, False,
                           AnyPropertyType, &type, &format, &count, &after, &data) == Success &&
        data != nullptr && count == 1;
    if (data != nullptr) XFree(data);
    return found;
}

std::optional<Window> XClient::wait_for_window(std::string_view title,
                                               std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        if (auto window = viewable_window_titled(title)) return window;
        if (std::chrono::steady_clock::now() >= deadline) return std::nullopt;
        std::this_thread::sleep_for(10ms);
    }
}

std::optional<Pixels> XClient::capture(Window window) {
    auto state = state_of(window);
    if (!state || !state->viewable) return std::nullopt;
    last_x_error = 0;
    std::unique_ptr<XImage, XImageDeleter> image(
        XGetImage(display_, window, 0, 0, state->width, state->height, AllPlanes, ZPixmap));
    if (!image || last_x_error != 0) return std::nullopt;
    Pixels pixels;
    pixels.width = image->width;
    pixels.height = image->height;
    pixels.data.resize(static_cast<std::size_t>(pixels.width) * pixels.height);
    for (int y = 0; y < pixels.height; ++y) {
        for (int x = 0; x < pixels.width; ++x) {
            unsigned long p = XGetPixel(image.get(), x, y);
            pixels.data[static_cast<std::size_t>(y) * pixels.width + x] =
                channel(p, image->red_mask) << 16 | channel(p, image->green_mask) << 8 |
                channel(p, image->blue_mask);
        }
    }
    return pixels;
}

std::vector<PointerImage> XClient::icons_of(Window window) {
    std::vector<PointerImage> icons;
    Atom type = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(display_, window, XInternAtom(display_, "_NET_WM_ICON", False), 0,
                           1 << 20, False, XA_CARDINAL, &type, &format, &count, &after,
                           &data) != Success ||
        data == nullptr)
        return icons;
    std::unique_ptr<unsigned char, XFreeDeleter> owned(data);
    if (format != 32) return icons;
    // Width, height, then the pixels, one after another; 32-bit items arrive in longs.
    const auto* items = reinterpret_cast<const unsigned long*>(data);
    for (unsigned long at = 0; at + 2 <= count;) {
        PointerImage icon;
        icon.width = static_cast<int>(items[at]);
        icon.height = static_cast<int>(items[at + 1]);
        const unsigned long pixels = items[at] * items[at + 1];
        at += 2;
        if (pixels > count - at) break;
        for (unsigned long i = 0; i < pixels; ++i)
            icon.argb.push_back(static_cast<std::uint32_t>(items[at + i]));
        at += pixels;
        icons.push_back(std::move(icon));
    }
    return icons;
}

std::optional<PointerImage> XClient::pointer_image() {
    int event_base = 0, error_base = 0;
    if (!XFixesQueryExtension(display_, &event_base, &error_base)) return std::nullopt;
    XFixesCursorImage* image = XFixesGetCursorImage(display_);
    if (image == nullptr) return std::nullopt;
    PointerImage p{image->width, image->height, image->xhot, image->yhot, {}};
    // Xlib hands the 32-bit pixels over in longs.
    for (int i = 0; i < image->width * image->height; ++i)
        p.argb.push_back(static_cast<std::uint32_t>(image->pixels[i]));
    XFree(image);
    return p;
}

void XClient::move_pointer_to_screen(int x, int y) {
    XTestFakeMotionEvent(display_, -1, x, y, CurrentTime);
    XSync(display_, False);
}

void XClient::move_pointer_to(Window window, int x, int y) {
    auto state = state_of(window);
    if (!state) throw std::runtime_error("the window is gone");
    move_pointer_to_screen(state->root_x + x, state->root_y + y);
}

void XClient::click(Window window, int x, int y) {
    move_pointer_to(window, x, y);
    XTestFakeButtonEvent(display_, 1, True, CurrentTime);
    XSync(display_, False);
    XTestFakeButtonEvent(display_, 1, False, CurrentTime);
    XSync(display_, False);
}

void XClient::press_key(unsigned long keysym) {
    KeyCode code = XKeysymToKeycode(display_, keysym);
    XTestFakeKeyEvent(display_, code, True, CurrentTime);
    XSync(display_, False);
    XTestFakeKeyEvent(display_, code, False, CurrentTime);
    XSync(display_, False);
}

void XClient::focus(Window window) {
    XSetInputFocus(display_, window, RevertToPointerRoot, CurrentTime);
    XSync(display_, False);
}

void XClient::send_delete_window(Window window) {
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(display_, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(XInternAtom(display_, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(display_, window, False, NoEventMask, &event);
    XSync(display_, False);
}

void XClient::move_resize(Window window, int x, int y, int width, int height) {
    XMoveResizeWindow(display_, window, x, y, static_cast<unsigned>(width),
                      static_cast<unsigned>(height));
    XSync(display_, False);
}

}  // namespace bolvenda::testing

namespace bolvenda::testing {

void XClient::destroy(Window window) {
    XDestroyWindow(display_, window);
    XSync(display_, False);
}

void XClient::set_mapped(Window window, bool mapped) {
    if (mapped)
        XMapWindow(display_, window);
    else
        XUnmapWindow(display_, window);
    XSync(display_, False);
}

}  // namespace bolvenda::testing
