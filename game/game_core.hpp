// The game's core wired together: the element table, the runtime, Form1 and the event
// dispatcher, loaded and ready for a front end to deliver pointer events.
#pragma once

#include "game/form1.hpp"
#include "runtime/clock.hpp"
#include "runtime/event_dispatcher.hpp"
#include "runtime/runtime.hpp"
#include "scene/scene.hpp"

namespace bolvenda::game {

class GameCore {
  public:
    explicit GameCore(runtime::Clock& clock)
        : runtime_(clock), form_(scene_, runtime_), dispatcher_(runtime_, form_) {}
    GameCore(const GameCore&) = delete;
    GameCore& operator=(const GameCore&) = delete;

    scene::Scene& scene() { return scene_; }
    game::Form1& form() { return form_; }
    runtime::EventDispatcher& events() { return dispatcher_; }
    // Closing the window by its frame: the program ends as by End.
    void end() noexcept { runtime_.end(); }

  private:
    scene::Scene scene_;
    runtime::Runtime runtime_;
    game::Form1 form_;
    runtime::EventDispatcher dispatcher_;
};

}  // namespace bolvenda::game
