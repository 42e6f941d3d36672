#include "scene/pointer_router.hpp"

namespace bolvenda::scene {

Element* PointerRouter::element_at(std::optional<Point> p) const {
    if (!p) return nullptr;
    const Placement* placed = layout_->at(*p);
    return placed != nullptr ? placed->element : nullptr;
}

void PointerRouter::move(std::optional<Point> p) { events_->mouse_move(element_at(p)); }

void PointerRouter::press(std::optional<Point> p) {
    pressed_ = element_at(p);
    pressing_ = true;
}

const Element* PointerRouter::release(std::optional<Point> p) {
    if (!pressing_) return nullptr;
    pressing_ = false;
    Element* pressed = pressed_;
    pressed_ = nullptr;
    Element* under = element_at(p);
    if (under == nullptr || under != pressed) return nullptr;
    return events_->click(*under) ? under : nullptr;
}

}  // namespace bolvenda::scene
