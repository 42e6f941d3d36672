#include "scene/view/game_window.hpp"

#include <algorithm>
#include <cmath>
#include <optional>
#include <string>
#include <vector>

#include "scene/assets/assets.hpp"
#include "scene/assets/icon_file.hpp"
#include "scene/view/canvas.hpp"
#include "scene/view/drawing.hpp"
#include "scene/view/platform.hpp"
#include "scene/view/startup_error.hpp"

namespace bolvenda::view {

namespace {

StartupError sdl_failure(const char* what) {
    return StartupError(
        std::string("cannot open the game window: ") + what + " (" + SDL_GetError() + ")",
        "Impossibile aprire la finestra del gioco.");
}

// An embedded icon or cursor file as a surface over its pixels; nothing if it does not read.
struct IconSurface {
    assets::IconImage image;
    SurfacePtr surface;
};

constexpr int hand_pointer_px = 32;

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

// The hand drawn from its drawing at size x size, its hot spot (the fingertip's pixel of the
// 32 x 32 pointer) scaled with it: the centre of that pixel, scaled, falls in this one.
std::optional<IconSurface> draw_hand(int size) {
    assets::IconImage image;
    try {
        const PremultipliedImage drawn =
            draw_svg(assets::asset("hand.svg"), "hand.svg", size, size);
        image.argb.reserve(drawn.pixels.size());
        for (std::uint32_t p : drawn.pixels) image.argb.push_back(unpremultiply(p));
    } catch (const StartupError&) {
        return std::nullopt;
    }
    image.width = image.height = size;
    const std::optional<assets::IconImage> small =
        assets::read_icon_file(assets::asset("hand.cur"));
    const int hot_x = small ? small->hot_x : 0, hot_y = small ? small->hot_y : 0;
    image.hot_x = static_cast<int>((hot_x + 0.5) * size / hand_pointer_px);
    image.hot_y = static_cast<int>((hot_y + 0.5) * size / hand_pointer_px);
    return surface_of(std::move(image));
}

// The hand's size at the window's present scale, in the platform's pointer pixels.
int hand_pointer_size(SDL_Window& window) {
    int w = 0, h = 0;
    SDL_GetWindowSizeInPixels(&window, &w, &h);
    const platform::PointerLimits limits = platform::pointer_limits();
    const double scale =
        scene::Viewport::fit(w, h).scale() / limits.window_pixels_per_pointer_pixel;
    if (scale < 1.5) return hand_pointer_px;
    return std::min(limits.largest, static_cast<int>(std::lround(hand_pointer_px * scale)));
}

}  // namespace

GameWindow::GameWindow(bool fullscreen) {
    const platform::FirstWindow first = platform::first_window();
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
    if (!own_frames_ && SDL_GetWindowSurface(window_.get()) == nullptr)
        throw sdl_failure("no window surface");
    platform::watch_window(*window_);
}

void GameWindow::show() {
    SDL_ShowWindow(window_.get());
    SDL_RaiseWindow(window_.get());
    platform::window_mode_changed(*window_, windowed_.width, windowed_.height);
}

SDL_Surface* GameWindow::window_surface() { return SDL_GetWindowSurface(window_.get()); }

SDL_Surface* GameWindow::drawing_surface() {
    if (own_frames_) {
        const PixelSize now = size();
        return sized_canvas(now.width, now.height);
    }
    SDL_Surface* surface = window_surface();
    if (surface == nullptr) return nullptr;
    if (surface->format->format == canvas_format) {
        canvas_.reset();
        return surface;
    }
    return sized_canvas(surface->w, surface->h);
}

SDL_Surface* GameWindow::sized_canvas(int width, int height) {
    if (!canvas_ || canvas_->w != width || canvas_->h != height) {
        canvas_.reset();
        try {
            canvas_ = create_canvas_surface(width, height);
        } catch (const StartupError&) {
            return nullptr;
        }
    }
    return canvas_.get();
}

void GameWindow::present() {
    if (own_frames_) {
        if (canvas_) {
            const SDL_Rect whole{0, 0, canvas_->w, canvas_->h};
            platform::show_frame(*window_, *canvas_, {&whole, 1});
        }
        return;
    }
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
    if (own_frames_) {
        if (canvas_) platform::show_frame(*window_, *canvas_, rects);
        return;
    }
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
    return platform::window_destroyed_by(*window_, event);
}

void GameWindow::set_cursor(scene::Cursor cursor) {
    const int size = cursor == scene::Cursor::Hand ? hand_pointer_size(*window_) : hand_size_;
    if (cursor == cursor_ && size == hand_size_) return;
    cursor_ = cursor;
    // The hand is made when first needed, not at start-up: a browser makes a picture of it.
    if (cursor == scene::Cursor::Hand && (!hand_ || size != hand_size_)) {
        hand_.reset();
        hand_size_ = size;
        if (auto hand = size == hand_pointer_px ? load_icon("hand.cur") : draw_hand(size)) {
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
    platform::window_mode_changed(*window_, windowed_.width, windowed_.height);
}

}  // namespace bolvenda::view
