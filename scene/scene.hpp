// The elements of the game window Form1 in their design-time state: 32 labels, the single
// pictures Image3..Image9, the control arrays Image1 and Image2 (21 pictures each) and 22
// lines. Where they stand and how they look is the layout's business, not this table's.
#pragma once

#include <array>
#include <memory>
#include <string_view>
#include <vector>

#include "runtime/control_array.hpp"
#include "runtime/element.hpp"

namespace bolvenda::scene {

using runtime::ControlArray;
using runtime::Element;

class Scene {
  public:
    static constexpr int label_count = 32;
    static constexpr int first_image = 3;
    static constexpr int last_image = 9;
    static constexpr int array_size = 21;
    static constexpr int line_count = 22;
    static constexpr int element_count =
        label_count + (last_image - first_image + 1) + 2 * array_size + line_count;

    Scene();
    Scene(const Scene&) = delete;
    Scene& operator=(const Scene&) = delete;

    // Label(k), k = 1..32; Image(k), k = 3..9; Line(k), k = 1..22. Other numbers are a
    // programming error and throw std::out_of_range.
    Element& Label(int k) const;
    Element& Image(int k) const;
    Element& Line(int k) const;
    ControlArray& Image1() const { return *image1_; }
    ControlArray& Image2() const { return *image2_; }
    // The number line: Label(n + 1) shows n, 0..20, below Image1(n) and Image2(n).
    Element& number_label(int n) const { return Label(n + 1); }
    // The number whose frog (Image1) or fly (Image2) is visible, or -1.
    int frog_number() const { return first_visible(*image1_); }
    int fly_number() const { return first_visible(*image2_); }

    // By name, as written in the form's code: find("Label7"), find("Image1", 3).
    Element* find(std::string_view name, int index = Element::no_index) const;
    // Parses "Image1(3)" as well as "Label7".
    Element* find_display_name(std::string_view display_name) const;

    // All 103 elements: labels, single pictures, Image1(0..20), Image2(0..20), lines.
    const std::vector<Element*>& elements() const { return all_; }

    // What changed since the view last took it.
    runtime::Changes& changes() const { return *changes_; }

  private:
    static int first_visible(const ControlArray& pictures);
    // Held by pointer so that elements may keep a stable reference to it.
    std::unique_ptr<runtime::Changes> changes_;
    std::array<std::unique_ptr<Element>, label_count> labels_;
    std::array<std::unique_ptr<Element>, last_image - first_image + 1> images_;
    std::unique_ptr<ControlArray> image1_;
    std::unique_ptr<ControlArray> image2_;
    std::array<std::unique_ptr<Element>, line_count> lines_;
    std::vector<Element*> all_;
};

}  // namespace bolvenda::scene
