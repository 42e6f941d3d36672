// A control array: members sharing one name, told apart by index. Owns its members.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "runtime/element.hpp"

namespace bolvenda::runtime {

class ControlArray {
  public:
    ControlArray(Changes& changes, ElementKind kind, std::string name, int count,
                 const std::string& tool_tip);

    const std::string& name() const noexcept { return name_; }
    int count() const noexcept { return static_cast<int>(items_.size()); }
    // A missing index raises the runtime's "control array element" error.
    Element& item(int index);
    const Element& item(int index) const;

  private:
    std::string name_;
    std::vector<std::unique_ptr<Element>> items_;
};

}  // namespace bolvenda::runtime
