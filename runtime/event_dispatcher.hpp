// Delivers events to a form as the runtime does: Load once, first; then Click (only to an
// enabled, visible element) and MouseMove, one at a time, each handler run to completion.
// A runtime error escaping a handler ends the program: the steps already done stay done, the
// error goes on to whoever delivered the event, and nothing more is delivered.
#pragma once

#include "runtime/element.hpp"
#include "runtime/form_events.hpp"
#include "runtime/runtime.hpp"

namespace bolvenda::runtime {

class EventDispatcher {
  public:
    EventDispatcher(Runtime& runtime, FormEvents& form) : runtime_(&runtime), form_(&form) {}

    // Each returns whether a handler ran: the event was delivered and the form has one for it.
    bool load();
    bool click(Element& source);
    bool mouse_move(Element* source);

    bool ended() const noexcept { return runtime_->ended(); }

  private:
    template <class Handler>
    bool deliver(Handler&& handler);

    Runtime* runtime_;
    FormEvents* form_;
    bool loaded_ = false;
    bool delivering_ = false;
};

}  // namespace bolvenda::runtime
