// A named element of a form: label, picture or line, with the state the game may change.
// Every real change is recorded in the form's Changes, which is how the view knows what to
// repaint.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace bolvenda::runtime {

enum class ElementKind : std::uint8_t { Label, Image, Line };

class Element;

// The elements of one form whose Visible, Enabled or Caption changed since the view last
// took them, each once: the one signal from the game to the painter. Shared by all of them.
class Changes {
  public:
    void mark(const Element& element);
    bool any() const noexcept { return !changed_.empty(); }
    // The changed elements so far, left to be taken.
    std::span<const Element* const> pending() const noexcept { return changed_; }
    // The changed elements, in the order they first changed; afterwards there are none.
    std::vector<const Element*> take() noexcept { return std::move(changed_); }

  private:
    std::vector<const Element*> changed_;
};

class Element {
  public:
    // index is the member's index in its control array, or no_index.
    static constexpr int no_index = -1;

    Element(Changes& changes, ElementKind kind, std::string name, int index, std::string caption,
            std::string tool_tip);
    Element(const Element&) = delete;
    Element& operator=(const Element&) = delete;

    ElementKind kind() const noexcept { return kind_; }
    const std::string& name() const noexcept { return name_; }
    int index() const noexcept { return index_; }
    // "Image1(3)", "Label7": how the element is written in the form's code.
    std::string display_name() const;

    bool visible() const noexcept { return visible_; }
    bool enabled() const noexcept { return enabled_; }
    const std::string& caption() const noexcept { return caption_; }
    const std::string& tool_tip() const noexcept { return tool_tip_; }

    void set_visible(bool value);
    void set_enabled(bool value);
    // Only labels have a caption; on anything else the runtime refuses.
    void set_caption(std::string_view value);
    const std::string& get_caption() const;

    // Late-bound set, as through an object reference: "Visible" or "Enabled", in any case.
    void set_property(std::string_view property, bool value);

  private:
    Changes* changes_;
    ElementKind kind_;
    std::string name_;
    int index_;
    std::string caption_;
    std::string tool_tip_;
    bool visible_ = true;
    bool enabled_ = true;
};

// Sets a property through a reference that may be empty, as the runtime does: an empty
// reference raises "object variable not set".
void set_property(Element* target, std::string_view property, bool value);

}  // namespace bolvenda::runtime
