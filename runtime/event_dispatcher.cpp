#include "runtime/event_dispatcher.hpp"

#include "runtime/runtime_error.hpp"

namespace bolvenda::runtime {

template <class Handler>
bool EventDispatcher::deliver(Handler&& handler) {
    // One event at a time: an event raised while a handler runs is not delivered.
    if (delivering_ || runtime_->ended()) return false;
    delivering_ = true;
    bool ran = false;
    try {
        ran = handler();
    } catch (const RuntimeError&) {
        delivering_ = false;
        runtime_->end();
        throw;
    }
    delivering_ = false;
    return ran;
}

bool EventDispatcher::load() {
    if (loaded_) return false;
    loaded_ = true;
    return deliver([this] {
        form_->Load();
        return true;
    });
}

bool EventDispatcher::click(Element& source) {
    if (!loaded_ || !source.enabled() || !source.visible()) return false;
    return deliver([&] { return form_->Click(source); });
}

bool EventDispatcher::mouse_move(Element* source) {
    if (!loaded_) return false;
    if (source != nullptr && !source->visible()) return false;
    return deliver([&] { return form_->MouseMove(source); });
}

}  // namespace bolvenda::runtime
