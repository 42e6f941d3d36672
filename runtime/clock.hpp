// The runtime's clock: seconds since local midnight in single precision. The system's clock is
// the platform's (platform/sdl/system.hpp); tests give their own.
#pragma once

namespace bolvenda::runtime {

class Clock {
  public:
    virtual ~Clock() = default;
    virtual float seconds_since_midnight() = 0;
};

}  // namespace bolvenda::runtime
