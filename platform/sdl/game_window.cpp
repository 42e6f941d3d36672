#include "platform/sdl/game_window.hpp"

#include <algorithm>
#include <cmath>
#include <optional>
#include <string>
#include <vector>

#include "platform/sdl/system.hpp"
#include "render/hand_pointer.hpp"
#include "render/startup_error.hpp"
#include "scene/assets/assets.hpp"
#include "scene/assets/icon_file.hpp"

namespace bolvenda::sdl {

namespace {

// The painter's pixels, 0x00RRGGBB words, in SDL's name for them.
constexpr Uint32 painter_format = SDL_PIXELFORMAT_RGB888;

render::StartupError sdl_failure(const char* what) {
    return render::StartupError(
        std::string("cannot open the game window: ") + what + " (" + SDL_GetError() + ")",
        "Impossibile aprire la finestra del gioco.");
}

// An embedded icon or cursor file as a surface over its pixels; nothing if it does not read.
struct IconSurface {
    assets::IconImage image;
    SurfacePtr surface;
};

std::optional<IconSurface> surface_of(assets::IconImage image) {
    IconSurface icon{std::move(image), nullptr};
    icon.surface.reset(SDL_CreateRGBSurfaceWithFormatFrom(
        icon.image.argb.data(), icon.image.width, icon.image.height, 32, icon.image.width * 4,
        SDL_PIXELFORMAT_ARGB8888));
    if (!icon.surface) return std::nullopt;
    return icon;
}

std::optional<IconSurface> load_icon(const char* name) {
    std::optional<assets::IconImage> image = assets::read_icon_file(assets::asset(name));
    if (!image) return std::nullopt;
    return surface_of(std::move(*image));
}

// The hand's size at the window's present scale, in the platform's pointer pixels.
int hand_pointer_size(SDL_Window& window) {
    int w = 0, h = 0;
    SDL_GetWindowSizeInPixels(&window, &w, &h);
    const system::PointerLimits limits = system::pointer_limits();
    return render::hand_pointer_size(w, h, limits.window_pixels_per_pointer_pixel, limits.largest);
}

}  // namespace

GameWindow::GameWindow(bool fullscreen) {
    const system::FirstWindow first = system::first_window();
    windowed_ = {first.width, first.height};
    const Uint32 flags =
        SDL_WINDOW_HIDDEN | first.flags | (fullscreen ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0);
    window_.reset(SDL_CreateWindow(std::string(scene::window_title).c_str(), SDL_WINDOWPOS_CENTERED,
                                   SDL_WINDOWPOS_CENTERED, first.width, first.height, flags));
    if (!window_) throw sdl_failure("no window");
    // Small enough for a split screen, large enough that the numbers stay numbers.
    SDL_SetWindowMinimumSize(window_.get(), scene::design_width / 3, scene::design_height / 3);

    if (auto icon = load_icon("bolvenda.ico"))
        SDL_SetWindowIcon(window_.get(), icon->surface.get());

    arrow_.reset(SDL_CreateSystemCursor(SDL_SYSTEM_CURSOR_ARROW));
    if (arrow_) SDL_SetCursor(arrow_.get());
    if (SDL_GetWindowSurface(window_.get()) == nullptr) throw sdl_failure("no window surface");
    system::watch_window(*window_);
}

void GameWindow::show() {
    SDL_ShowWindow(window_.get());
    SDL_RaiseWindow(window_.get());
    system::window_mode_changed(*window_, windowed_.width, windowed_.height);
}

SDL_Surface* GameWindow::window_surface() { return SDL_GetWindowSurface(window_.get()); }

std::optional<render::PixelView> GameWindow::drawing_target() {
    SDL_Surface* surface = window_surface();
    if (surface == nullptr) return std::nullopt;
    if (surface->format->format != painter_format) {
        surface = sized_canvas(surface->w, surface->h);
        if (surface == nullptr) return std::nullopt;
    } else {
        canvas_.reset();
    }
    return render::PixelView{static_cast<std::uint32_t*>(surface->pixels), surface->w, surface->h,
                             surface->pitch / 4};
}

SDL_Surface* GameWindow::sized_canvas(int width, int height) {
    if (!canvas_ || canvas_->w != width || canvas_->h != height) {
        canvas_.reset(SDL_CreateRGBSurfaceWithFormat(0, width, height, 32, painter_format));
    }
    return canvas_.get();
}

void GameWindow::present() {
    SDL_Surface* surface = window_surface();
    if (surface == nullptr) return;
    if (canvas_) SDL_BlitSurface(canvas_.get(), nullptr, surface, nullptr);
    SDL_UpdateWindowSurface(window_.get());
}

void GameWindow::present(std::span<const scene::Rect> changed) {
    if (changed.empty()) return;
    std::vector<SDL_Rect> rects;
    rects.reserve(changed.size());
    for (const scene::Rect& r : changed) rects.push_back({r.left, r.top, r.width, r.height});
    SDL_Surface* surface = window_surface();
    if (surface == nullptr) return;
    for (SDL_Rect& r : rects)
        if (canvas_) SDL_BlitSurface(canvas_.get(), &r, surface, &r);
    SDL_UpdateWindowSurfaceRects(window_.get(), rects.data(), static_cast<int>(rects.size()));
}

PixelSize GameWindow::size() const {
    PixelSize size;
    SDL_GetWindowSizeInPixels(window_.get(), &size.width, &size.height);
    return size;
}

void GameWindow::request_size(PixelSize size) {
    SDL_SetWindowSize(window_.get(), size.width, size.height);
}

bool GameWindow::destroyed_by(const SDL_Event& event) const {
    return system::window_destroyed_by(*window_, event);
}

void GameWindow::set_cursor(scene::Cursor cursor) {
    const int size = cursor == scene::Cursor::Hand ? hand_pointer_size(*window_) : hand_size_;
    if (cursor == cursor_ && size == hand_size_) return;
    cursor_ = cursor;
    // The hand is made when first needed, not at start-up: a browser makes a picture of it.
    if (cursor == scene::Cursor::Hand && (!hand_ || size != hand_size_)) {
        hand_.reset();
        hand_size_ = size;
        std::optional<IconSurface> hand;
        if (auto image = render::hand_pointer(size)) hand = surface_of(std::move(*image));
        if (hand) {
            int hot_x = std::clamp(hand->image.hot_x, 0, hand->image.width - 1);
            int hot_y = std::clamp(hand->image.hot_y, 0, hand->image.height - 1);
            hand_.reset(SDL_CreateColorCursor(hand->surface.get(), hot_x, hot_y));
        }
        // Without a hand of our own the system's is the next best sign of "click here".
        if (!hand_) hand_.reset(SDL_CreateSystemCursor(SDL_SYSTEM_CURSOR_HAND));
    }
    SDL_Cursor* shape = cursor == scene::Cursor::Hand ? hand_.get() : arrow_.get();
    if (shape != nullptr) SDL_SetCursor(shape);
}

void GameWindow::toggle_fullscreen() {
    const bool now = (SDL_GetWindowFlags(window_.get()) & SDL_WINDOW_FULLSCREEN) != 0;
    if (!now) SDL_GetWindowSize(window_.get(), &windowed_.width, &windowed_.height);
    SDL_SetWindowFullscreen(window_.get(), now ? 0 : SDL_WINDOW_FULLSCREEN_DESKTOP);
    system::window_mode_changed(*window_, windowed_.width, windowed_.height);
}

}  // namespace bolvenda::sdl
