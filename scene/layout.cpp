#include "scene/layout.hpp"

#include <stdexcept>

namespace bolvenda::scene {

namespace {

constexpr Rgb control_text{0x00, 0x00, 0x00};
constexpr Rgb blue{0x00, 0x00, 0xFF};

// Which tick each of Line2..Line22 draws: n of the number it stands on.
int tick_number(int line) {
    if (line <= 5) return line - 2;  // Line2..Line5: 0..3
    if (line == 6) return 16;
    if (line <= 18) return line - 3;  // Line7..Line18: 4..15
    return line - 2;                  // Line19..Line22: 17..20
}

Placement label(Element& element, Rect rect, int font_px, Align align, Rgb colour = control_text,
                bool hand = false) {
    Placement p;
    p.element = &element;
    p.rect = rect;
    p.font_px = font_px;
    p.align = align;
    p.text_colour = colour;
    p.hand = hand;
    return p;
}

// A picture at its shown size from the table, or (unstretched) at its own size.
Placement picture(Element& element, Point corner, Picture pic, bool stretch = true,
                  bool hand = false) {
    const PictureRow& row = row_of(pic);
    Placement p;
    p.element = &element;
    p.rect = stretch ? Rect{corner.x, corner.y, row.shown_width, row.shown_height}
                     : Rect{corner.x, corner.y, row.width, row.height};
    p.picture = pic;
    p.stretch = stretch;
    p.hand = hand;
    return p;
}

Placement line(Element& element, Point from, Point to) {
    Placement p;
    p.element = &element;
    p.from = from;
    p.to = to;
    return p;
}

}  // namespace

std::string_view asset_name(Picture picture) { return row_of(picture).stored; }

bool Placement::takes_pointer() const noexcept {
    return element->kind() != runtime::ElementKind::Line;
}

Rgb Placement::ink() const noexcept {
    return element->kind() == runtime::ElementKind::Label && !element->enabled()
               ? disabled_text_colour
               : text_colour;
}

Layout::Layout(const Scene& s) {
    order_.reserve(Scene::element_count);
    // 1. The flies on the line, the higher number in front.
    for (int n = 20; n >= 1; --n)
        order_.push_back(picture(s.Image2().item(n), {72 + 32 * n, 280}, Picture::Fly));
    // 2. The frogs on the line.
    for (int n = 20; n >= 1; --n)
        order_.push_back(picture(s.Image1().item(n), {16 + 32 * n, 296}, Picture::Frog));
    // 3. Captions, exercise, score, faces and buttons.
    order_.push_back(label(s.Label(32), {144, 352, 497, 33}, 27, Align::Left, blue));
    order_.push_back(label(s.Label(25), {200, 384, 385, 41}, 27, Align::Center, blue));
    order_.push_back(picture(s.Image(9), {80, 504}, Picture::SleepingFrog, true, true));
    order_.push_back(picture(s.Image(8), {416, 528}, Picture::NotEqual));
    order_.push_back(picture(s.Image(7), {416, 528}, Picture::Equals));
    order_.push_back(label(s.Label(31), {744, 528, 49, 25}, 19, Align::Right));
    order_.push_back(label(s.Label(30), {720, 536, 25, 17}, 12, Align::Left));
    order_.push_back(label(s.Label(29), {664, 528, 49, 25}, 19, Align::Right));
    order_.push_back(label(s.Label(28), {520, 536, 145, 17}, 13, Align::Left));
    order_.push_back(picture(s.Image(6), {720, 440}, Picture::FaceHappy));
    order_.push_back(picture(s.Image(5), {720, 440}, Picture::FaceSad));
    order_.push_back(picture(s.Image(4), {720, 440}, Picture::FaceWaiting));
    order_.push_back(picture(s.Image(3), {8, 512}, Picture::FaceHappy, false, true));
    order_.push_back(label(s.Label(27), {0, 32, 793, 33}, 21, Align::Center, blue));
    order_.push_back(label(s.Label(26), {448, 504, 57, 57}, 48, Align::Center));
    order_.push_back(label(s.Label(24), {352, 504, 57, 57}, 48, Align::Center));
    order_.push_back(label(s.Label(23), {304, 520, 41, 33}, 35, Align::Center));
    order_.push_back(label(s.Label(22), {240, 504, 57, 57}, 48, Align::Center));
    // 4. The fly away from the line, then the frog on 0, behind all other frogs.
    order_.push_back(picture(s.Image2().item(0), {448, 112}, Picture::Fly));
    order_.push_back(picture(s.Image1().item(0), {16, 296}, Picture::Frog));
    // 5. The number labels: Label k shows k - 1.
    for (int k = 21; k >= 1; --k)
        order_.push_back(label(s.Label(k), {48 + 32 * (k - 1), 480, 33, 33}, 19, Align::Center,
                               control_text, true));
    // 6. The ticks, then the axis at the very back.
    auto tick = [&](int k) {
        int x = 64 + 32 * tick_number(k);
        order_.push_back(line(s.Line(k), {x, 456}, {x, 472}));
    };
    for (int k = 22; k >= 7; --k) tick(k);
    for (int k = 5; k >= 2; --k) tick(k);
    tick(6);
    order_.push_back(line(s.Line(1), {40, 464}, {728, 464}));
}

const Placement& Layout::of(const Element& element) const {
    for (const Placement& p : order_)
        if (p.element == &element) return p;
    throw std::invalid_argument("element not in the layout: " + element.display_name());
}

const Placement* Layout::at(Point p) const {
    for (const Placement& placed : order_) {
        if (placed.takes_pointer() && placed.element->visible() && placed.rect.contains(p))
            return &placed;
    }
    return nullptr;
}

Cursor Layout::cursor_at(Point p) const {
    const Placement* placed = at(p);
    return placed != nullptr && placed->hand && placed->element->enabled() ? Cursor::Hand
                                                                           : Cursor::Arrow;
}

std::string_view Layout::tool_tip_at(Point p) const {
    const Placement* placed = at(p);
    // Enabled or not: a picture that cannot be clicked still says what it is.
    if (placed == nullptr || placed->element->kind() != runtime::ElementKind::Image) return {};
    return placed->element->tool_tip();
}

}  // namespace bolvenda::scene
