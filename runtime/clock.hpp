// The runtime's clock: seconds since local midnight in single precision.
#pragma once

namespace bolvenda::runtime {

class Clock {
public:
    virtual ~Clock() = default;
    virtual float seconds_since_midnight() = 0;
};

class SystemClock final : public Clock {
public:
    float seconds_since_midnight() override;
};

}  // namespace bolvenda::runtime
