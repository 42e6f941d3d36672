// The X side of the real-window tests: a private Xvfb server, and a client connection that
// finds windows by title, reads their pixels back and drives them with XTest input, as a
// child at the real pointer would.
#pragma once

#include <X11/Xlib.h>

#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "child_process.hpp"
#include "tests/support/pixels.hpp"

namespace bolvenda::testing {

using namespace std::chrono_literals;

// Xvfb on the first free display, started once and stopped with this object. It never resets,
// unless asked to: a reset, as its last client leaves, drops the connections it took meanwhile.
class XServer {
  public:
    static constexpr int screen_width = 1280;
    static constexpr int screen_height = 1024;

    // Throws std::runtime_error if Xvfb is there but does not start.
    explicit XServer(const std::string& xvfb_path, bool resets = false);
    ~XServer();
    const std::string& display_name() const { return name_; }
    pid_t pid() const { return process_->pid(); }

  private:
    std::unique_ptr<ChildProcess> process_;
    std::string name_;
};

struct WindowState {
    int root_x = 0, root_y = 0;  // the client area's corner on the screen
    int width = 0, height = 0;
    bool viewable = false;
};

// A pointer's or icon's picture: 0xAARRGGBB, rows top to bottom; the pointer's as the server
// shows it, premultiplied.
struct PointerImage {
    int width = 0, height = 0;
    int hot_x = 0, hot_y = 0;
    std::vector<std::uint32_t> argb;
};

class XClient {
  public:
    explicit XClient(const std::string& display_name);  // throws std::runtime_error
    ~XClient();
    XClient(const XClient&) = delete;
    XClient& operator=(const XClient&) = delete;

    // A viewable top-level window whose title is exactly this, if there is one now.
    std::optional<Window> viewable_window_titled(std::string_view title);
    // Polls until such a window is there or the timeout passes.
    std::optional<Window> wait_for_window(std::string_view title,
                                          std::chrono::milliseconds timeout);
    // The window's title as UTF-8 (_NET_WM_NAME, else WM_NAME).
    std::string title_of(Window window);
    std::string class_of(Window window);  // WM_CLASS's class part
    // Whether an EWMH window manager runs on this display.
    bool has_window_manager();
    std::optional<WindowState> state_of(Window window);

    // The window's pixels now; nothing while it cannot be read (unmapped, off screen, gone).
    std::optional<Pixels> capture(Window window);

    // The pictures the window offers as its icon (_NET_WM_ICON), straight-alpha ARGB.
    std::vector<PointerImage> icons_of(Window window);
    // The pointer's current picture (XFixes), nothing if the server cannot tell.
    std::optional<PointerImage> pointer_image();

    // Real pointer input at window coordinates, through the server's XTest extension.
    void move_pointer_to(Window window, int x, int y);
    void move_pointer_to_screen(int x, int y);
    void click(Window window, int x, int y);
    void press_key(unsigned long keysym);
    void focus(Window window);

    // As the window manager's close button does: WM_DELETE_WINDOW through WM_PROTOCOLS.
    void send_delete_window(Window window);
    void move_resize(Window window, int x, int y, int width, int height);
    // What another program may do to the window behind its owner's back.
    void destroy(Window window);
    void set_mapped(Window window, bool mapped);
    void sync();

  private:
    Window framed_window_titled(Window frame, std::string_view title);

    Display* display_ = nullptr;
};

}  // namespace bolvenda::testing
