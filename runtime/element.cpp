#include "runtime/element.hpp"

#include <algorithm>
#include <cctype>
#include <utility>

#include "runtime/runtime_error.hpp"

namespace bolvenda::runtime {

namespace {

bool same_name(std::string_view a, std::string_view b) {
    // Iterators, not ranges: the web build's standard library has no ranges algorithms.
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) ==
               std::tolower(static_cast<unsigned char>(y));
    });
}

}  // namespace

void Changes::mark(const Element& element) {
    // A handful of elements change at a click: a scan is cheaper than any set.
    if (std::find(changed_.begin(), changed_.end(), &element) == changed_.end())
        changed_.push_back(&element);
}

Element::Element(Changes& changes, ElementKind kind, std::string name, int index,
                 std::string caption, std::string tool_tip)
    : changes_(&changes),
      kind_(kind),
      name_(std::move(name)),
      index_(index),
      caption_(std::move(caption)),
      tool_tip_(std::move(tool_tip)) {}

std::string Element::display_name() const {
    if (index_ == no_index) return name_;
    return name_ + "(" + std::to_string(index_) + ")";
}

void Element::set_visible(bool value) {
    if (visible_ == value) return;
    visible_ = value;
    changes_->mark(*this);
}

void Element::set_enabled(bool value) {
    if (kind_ == ElementKind::Line) throw RuntimeError::property_not_supported();
    if (enabled_ == value) return;
    enabled_ = value;
    changes_->mark(*this);
}

void Element::set_caption(std::string_view value) {
    if (kind_ != ElementKind::Label) throw RuntimeError::property_not_supported();
    if (caption_ == value) return;
    caption_.assign(value);
    changes_->mark(*this);
}

const std::string& Element::get_caption() const {
    if (kind_ != ElementKind::Label) throw RuntimeError::property_not_supported();
    return caption_;
}

void Element::set_property(std::string_view property, bool value) {
    if (same_name(property, "Visible")) {
        set_visible(value);
    } else if (same_name(property, "Enabled")) {
        set_enabled(value);
    } else {
        throw RuntimeError::property_not_supported();
    }
}

void set_property(Element* target, std::string_view property, bool value) {
    if (target == nullptr) throw RuntimeError::object_variable_not_set();
    target->set_property(property, value);
}

}  // namespace bolvenda::runtime
