#include "runtime/control_array.hpp"

#include "runtime/runtime_error.hpp"

namespace bolvenda::runtime {

ControlArray::ControlArray(Changes& changes, ElementKind kind, std::string name, int count,
                           const std::string& tool_tip)
    : name_(std::move(name)) {
    items_.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        items_.push_back(std::make_unique<Element>(changes, kind, name_, i, "", tool_tip));
    }
}

Element& ControlArray::item(int index) {
    if (index < 0 || index >= count()) throw RuntimeError::control_array_element_missing();
    return *items_[static_cast<std::size_t>(index)];
}

const Element& ControlArray::item(int index) const {
    if (index < 0 || index >= count()) throw RuntimeError::control_array_element_missing();
    return *items_[static_cast<std::size_t>(index)];
}

}  // namespace bolvenda::runtime
