// Seconds since local midnight now, the arithmetic the platforms' clocks share; each platform
// passes its C library's way of breaking a time down into local time.
#pragma once

#include <chrono>
#include <ctime>

namespace bolvenda::runtime {

// to_local(const std::time_t&, std::tm&) fills in the local time.
template <class ToLocal>
double seconds_since_midnight_with(ToLocal to_local) {
    using namespace std::chrono;
    const auto now = system_clock::now();
    const std::time_t now_t = system_clock::to_time_t(now);
    std::tm local{};
    to_local(now_t, local);
    const auto fraction = duration_cast<microseconds>(now.time_since_epoch()) % seconds(1);
    return local.tm_hour * 3600.0 + local.tm_min * 60.0 + local.tm_sec +
           static_cast<double>(fraction.count()) / 1e6;
}

}  // namespace bolvenda::runtime
