// What a form's code asks of its runtime beyond elements: random numbers, the clock, End.
#pragma once

#include "runtime/clock.hpp"
#include "runtime/random.hpp"

namespace bolvenda::runtime {

class Runtime {
  public:
    explicit Runtime(Clock& clock) : clock_(&clock) {}

    float rnd() { return random_.next(); }
    void randomize(double seed) { random_.reseed(seed); }
    float timer() { return clock_->seconds_since_midnight(); }

    // End: the program stops; no further event is delivered.
    void end() noexcept { ended_ = true; }
    bool ended() const noexcept { return ended_; }

  private:
    Clock* clock_;
    Random random_;
    bool ended_ = false;
};

}  // namespace bolvenda::runtime
