// The events a form handles. The form implements this; the dispatcher calls it.
#pragma once

#include "runtime/element.hpp"

namespace bolvenda::runtime {

class FormEvents {
  public:
    virtual ~FormEvents() = default;
    virtual void Load() = 0;
    // Each returns whether the form has a handler for the event there (and ran it).
    virtual bool Click(Element& source) = 0;
    // source is the element under the pointer, or nullptr for the form itself.
    virtual bool MouseMove(Element* source) = 0;
};

}  // namespace bolvenda::runtime
