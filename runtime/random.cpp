#include "runtime/random.hpp"

#include <cstring>

namespace bolvenda::runtime {

namespace {

// splitmix64: a full-period 64-bit sequence with a strong output mix.
std::uint64_t mix(std::uint64_t z) {
    z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
    z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
    return z ^ (z >> 31);
}

constexpr std::uint64_t golden_gamma = 0x9e3779b97f4a7c15ULL;

}  // namespace

float Random::next() {
    state_ += golden_gamma;
    return static_cast<float>(mix(state_) >> 40) * 0x1p-24f;
}

void Random::reseed(double seed) {
    std::uint64_t bits =
        0;  // the seed's bit pattern (memcpy: the web build's library has no bit_cast)
    std::memcpy(&bits, &seed, sizeof bits);
    state_ = mix(bits ^ golden_gamma);
}

}  // namespace bolvenda::runtime
