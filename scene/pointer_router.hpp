// Turns pointer input at design coordinates into the form's events, as the window delivers
// them: the front-most visible label or picture takes the event, the bare window takes the
// rest. A Click is a press and a release on the same element, as with any button.
#pragma once

#include <optional>

#include "runtime/event_dispatcher.hpp"
#include "scene/layout.hpp"

namespace bolvenda::scene {

class PointerRouter {
  public:
    PointerRouter(const Layout& layout, runtime::EventDispatcher& events)
        : layout_(&layout), events_(&events) {}

    // p is the design point under the pointer, or nothing where it lies in the letterbox.
    // The element found there goes straight to the dispatcher, which runs its handler; a
    // runtime error from a handler propagates.
    void move(std::optional<Point> p);
    void press(std::optional<Point> p);
    // Returns the element whose Click handler ran, if one did (the view shows the frog's leap).
    const Element* release(std::optional<Point> p);

  private:
    Element* element_at(std::optional<Point> p) const;

    const Layout* layout_;
    runtime::EventDispatcher* events_;
    Element* pressed_ = nullptr;
    bool pressing_ = false;
};

}  // namespace bolvenda::scene
