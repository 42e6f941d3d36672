#include "scene/pointer_router.hpp"

namespace bolvenda::scene {

Element* PointerRouter::element_at(std::optional<Point> p) const {
    if (!p) return nullptr;
    const Placement* placed = layout_->at(*p);
    return placed != nullptr ? placed->element : nullptr;
}

bool PointerRouter::move(std::optional<Point> p) { return events_->mouse_move(element_at(p)); }

bool PointerRouter::press(std::optional<Point> p) {
    pressed_ = element_at(p);
    pressing_ = true;
    return false;
}

bool PointerRouter::release(std::optional<Point> p) {
    if (!pressing_) return false;
    pressing_ = false;
    Element* pressed = pressed_;
    pressed_ = nullptr;
    Element* under = element_at(p);
    if (under == nullptr || under != pressed) return false;
    return events_->click(*under);
}

}  // namespace bolvenda::scene
