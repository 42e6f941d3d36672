// One-switch play: the focus steps on by itself at a steady pace, and the one switch (any
// key, a click or a tap) clicks what it rests on. Only the pace is kept here; time is passed
// in, in milliseconds, so the view waits for exactly the next step and for nothing else.
#pragma once

#include <cstdint>
#include <optional>

namespace bolvenda::play {

class SwitchScan {
  public:
    static constexpr std::uint64_t default_ms = 1500;

    explicit SwitchScan(std::uint64_t interval_ms) : interval_(interval_ms) {}

    // The focus was put somewhere (a step, a round's start, an answer): it rests there a
    // whole interval.
    void rested(std::uint64_t now_ms) { next_ = now_ms + interval_; }
    // Whether the focus is due to step on; then the next step is an interval later.
    bool time_passed(std::uint64_t now_ms) {
        if (now_ms < next_) return false;
        rested(now_ms);
        return true;
    }
    std::uint64_t deadline() const { return next_; }
    std::uint64_t interval_ms() const { return interval_; }

  private:
    std::uint64_t interval_;
    std::uint64_t next_ = 0;
};

}  // namespace bolvenda::play
