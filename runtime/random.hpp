// The runtime's random numbers: r with 0 <= r < 1 in single precision, and a reseed that
// restarts the sequence from a number (the same number gives the same sequence).
#pragma once

#include <cstdint>

namespace bolvenda::runtime {

class Random {
  public:
    explicit Random(std::uint64_t state = 0x5eed'b01e'4da5ULL) : state_(state) {}

    // 0 <= r < 1, a multiple of 2^-24, so that r * 20 stays below 20 in single precision.
    float next();
    // Restarts the sequence from the bits of seed: neighbouring seeds (clock readings a
    // few milliseconds apart) give unrelated sequences.
    void reseed(double seed);

  private:
    std::uint64_t state_;
};

}  // namespace bolvenda::runtime
