// What the browser tells the game about itself: its clock, the user's wishes, the local time.
#pragma once

#include <cstdint>

#include "runtime/clock.hpp"

namespace bolvenda::web {

// Milliseconds on the page's monotonic clock.
std::uint64_t now_ms();
// Whether the user lets pages animate (no preference for reduced motion).
bool animations_wanted();

// The runtime's clock, read from the browser's local time.
class PageClock final : public runtime::Clock {
  public:
    float seconds_since_midnight() override;
};

}  // namespace bolvenda::web
