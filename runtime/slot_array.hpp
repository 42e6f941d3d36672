// A fixed array of optional element references with the runtime's bounds rule: every
// index is tested against 0..size-1 before use; an empty slot fails only when used.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "runtime/element.hpp"

namespace bolvenda::runtime {

template <std::size_t Size>
class SlotArray {
  public:
    static constexpr int size = static_cast<int>(Size);

    void fill(std::int32_t index, Element& element) { slot(index) = &element; }
    Element* at(std::int32_t index) const { return slots_[checked(index)]; }
    // Late-bound property set through the slot, e.g. set(i, "Visible", false).
    void set(std::int32_t index, std::string_view property, bool value) const {
        set_property(at(index), property, value);
    }

  private:
    static std::size_t checked(std::int32_t index);
    Element*& slot(std::int32_t index) { return slots_[checked(index)]; }

    std::array<Element*, Size> slots_{};
};

}  // namespace bolvenda::runtime

#include "runtime/runtime_error.hpp"

template <std::size_t Size>
std::size_t bolvenda::runtime::SlotArray<Size>::checked(std::int32_t index) {
    if (index < 0 || index >= size) throw RuntimeError::subscript_out_of_range();
    return static_cast<std::size_t>(index);
}
