// Where every element of Form1 stands and how it looks: rectangles, fonts, colours, pictures,
// pointer shapes and the drawing order. Fixed for the life of the window; only the elements'
// Visible, Enabled and Caption change what is shown.
#pragma once

#include <string_view>
#include <vector>

#include "scene/geometry.hpp"
#include "scene/picture_table.hpp"
#include "scene/scene.hpp"
#include "scene/window_identity.hpp"  // window_title, background_colour

namespace bolvenda::scene {

// The window at its design size.
inline constexpr int design_width = 792;
inline constexpr int design_height = 566;
inline constexpr Rgb line_colour{0x00, 0x00, 0xFF};
inline constexpr int line_width = 2;
// A label that cannot be clicked: its text dimmed toward the water, still easily read.
inline constexpr Rgb disabled_text_colour{0x11, 0x40, 0x44};

// The embedded file of a picture of the table.
std::string_view asset_name(Picture picture);

enum class Align { Left, Center, Right };
enum class Cursor { Arrow, Hand };

// One element as it is placed in the window.
struct Placement {
    Element* element = nullptr;
    Rect rect;  // labels and pictures
    // Labels: one line of Bolvenda Sans Bold from the top edge.
    int font_px = 0;
    Align align = Align::Left;
    Rgb text_colour{};  // black, the standard control text, or blue
    // Pictures: stretched to fill the rectangle, or drawn at natural size.
    Picture picture = Picture::Pond;
    bool stretch = true;
    // Lines: from and to, both ends drawn.
    Point from, to;
    // The hand pointer shows over it.
    bool hand = false;

    bool takes_pointer() const noexcept;  // labels and pictures, never lines
    // The colour a label's text is drawn in now: dimmed while it is disabled.
    Rgb ink() const noexcept;
};

class Layout {
  public:
    explicit Layout(const Scene& scene);

    // Every element, the front-most first.
    const std::vector<Placement>& front_to_back() const noexcept { return order_; }
    const Placement& of(const Element& element) const;

    // The front-most visible label or picture whose rectangle holds p, or nullptr for the
    // bare window. Transparent parts of pictures and label backgrounds count as the element.
    const Placement* at(Point p) const;

    // The pointer shape at p: the hand over an enabled number label, Image3 or Image9.
    Cursor cursor_at(Point p) const;

    // The tooltip text at p: the front-most element's, if it is a picture with one.
    std::string_view tool_tip_at(Point p) const;

  private:
    std::vector<Placement> order_;
};

}  // namespace bolvenda::scene
